#include "support/child_process.h"
#include "support/process_table.h"
#include "support/wait_until.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <unistd.h>

namespace zendra::test {
namespace {

using namespace std::chrono_literals;

ChildProcess shell(const QString& script, const ChildProcessOptions& options = {}) {
    return ChildProcess(QStringLiteral("sh"), {QStringLiteral("-c"), script}, options);
}

TEST(ChildProcessTest, ReportsExitCodeAndKeepsBothStreamsApart) {
    ChildProcess child = shell(QStringLiteral("echo out; echo err >&2; exit 3"));
    const auto status = child.waitForExit(10s);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->exitCode, 3);
    EXPECT_FALSE(status->signal);
    EXPECT_EQ(child.standardOutput(), "out\n");
    EXPECT_EQ(child.standardError(), "err\n");
    EXPECT_FALSE(child.isRunning());
    EXPECT_FALSE(child.sendSignal(SIGTERM)) << "a reaped child takes no signals";
}

TEST(ChildProcessTest, PassesEnvironmentChangesWorkingDirectoryAndInput) {
    const QTemporaryDir dir;
    qputenv("ZENDRA_TEST_REMOVED", "still here");
    ChildProcessOptions options;
    options.environment = {{"ZENDRA_TEST_ADDED", "added"}, {"ZENDRA_TEST_REMOVED", std::nullopt}};
    options.workingDirectory = dir.path();
    options.standardInput = "first line\nsecond line\n";
    ChildProcess child = shell(
        QStringLiteral("echo \"$ZENDRA_TEST_ADDED|${ZENDRA_TEST_REMOVED-unset}|$(pwd)\"; cat"), options);
    qunsetenv("ZENDRA_TEST_REMOVED");
    ASSERT_TRUE(child.waitForExit(10s));
    EXPECT_EQ(child.standardOutput(),
              "added|unset|" + QDir(dir.path()).canonicalPath().toUtf8() + "\nfirst line\nsecond line\n");
}

TEST(ChildProcessTest, ChattyChildDoesNotBlockOnItsOutput) {
    ChildProcess child = shell(QStringLiteral("head -c 1000000 /dev/zero; head -c 300000 /dev/zero >&2"));
    const auto status = child.waitForExit(20s);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->exitCode, 0);
    EXPECT_EQ(child.standardOutput().size(), 1000000);
    EXPECT_EQ(child.standardError().size(), 300000);
}

TEST(ChildProcessTest, SignalsEndTheChildAndAreReportedAsSuch) {
    ChildProcess killed(QStringLiteral("sleep"), {QStringLiteral("300")});
    EXPECT_FALSE(killed.waitForExit(50ms)) << "a running child times out";
    EXPECT_TRUE(killed.isRunning());
    ASSERT_TRUE(killed.sendSignal(SIGKILL));
    const auto status = killed.waitForExit(10s);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->signal, SIGKILL);
    EXPECT_FALSE(status->exitCode);
    EXPECT_EQ(describe(*status).left(8), QStringLiteral("signal 9"));

    ChildProcess terminated(QStringLiteral("sleep"), {QStringLiteral("300")});
    EXPECT_EQ(terminated.terminate(10s).signal, SIGTERM);

    // A child that ignores SIGTERM is killed once the grace period is over.
    ChildProcess stubborn = shell(QStringLiteral("trap '' TERM; echo ready; while :; do sleep 1; done"));
    ASSERT_TRUE(waitUntil([&] { return stubborn.standardOutput() == "ready\n"; }, 10s));
    EXPECT_EQ(stubborn.terminate(100ms).signal, SIGKILL);
}

TEST(ChildProcessTest, DestructionKillsTheChildAndWhatItStarted) {
    pid_t child = 0;
    pid_t grandchild = 0;
    {
        ChildProcess process = shell(QStringLiteral("sleep 300 & echo $!; wait"));
        child = process.pid();
        ASSERT_TRUE(waitUntil([&] { return process.standardOutput().endsWith('\n'); }, 10s));
        grandchild = process.standardOutput().trimmed().toInt();
        ASSERT_GT(grandchild, 0);
        ASSERT_TRUE(isAlive(grandchild));
    }
    EXPECT_FALSE(isAlive(child));
    EXPECT_TRUE(waitUntil([&] { return !isAlive(grandchild); }, 10s)) << "the grandchild was left running";
}

TEST(ChildProcessTest, InheritsOnlyItsStandardStreams) {
    // A leaked pipe end keeps readers of that pipe (ctest among them) waiting for an end of file.
    const int leaked = fcntl(STDERR_FILENO, F_DUPFD, 60);
    ASSERT_GE(leaked, 60);
    ChildProcess child(QStringLiteral("ls"), {QStringLiteral("/proc/self/fd")});
    ::close(leaked);
    ASSERT_TRUE(child.waitForExit(10s));
    const QList<QByteArray> fds = child.standardOutput().split('\n');
    EXPECT_FALSE(fds.contains(QByteArray::number(leaked)));
    EXPECT_TRUE(fds.contains("0") && fds.contains("1") && fds.contains("2"));
}

TEST(ChildProcessTest, ProgramsThatCannotRunAreErrors) {
    try {
        ChildProcess missing(QStringLiteral("zendra-no-such-program"));
        ADD_FAILURE() << "a missing program started";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "cannot run zendra-no-such-program: not found on PATH");
    }
    const QTemporaryDir dir;
    EXPECT_THROW(ChildProcess(dir.filePath(QStringLiteral("missing"))), std::runtime_error);
    EXPECT_THROW(ChildProcess(dir.path()), std::runtime_error) << "a folder is no program";
    EXPECT_THROW(ChildProcess(QStringLiteral("true"), {}, {{}, dir.filePath(QStringLiteral("gone")), {}}),
                 std::runtime_error)
        << "a missing working directory";
}

} // namespace
} // namespace zendra::test
