#include "../preference_files.h"
#include "prefs/file_suite.h"
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace zendra::Prefs {
namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;

class FileSuiteProcesses : public testing::Test {
protected:
    QString folder() const { return dirs_.configHome() + "/zendra"; }
    QString path() const { return folder() + "/org.zendra.Zendra.plist"; }

    static ChildProcess start(const QStringList& arguments,
                              zendra::test::EnvironmentChanges environment = {}) {
        zendra::test::ChildProcessOptions options;
        options.environment = std::move(environment);
        return ChildProcess(QStringLiteral(ZENDRA_PREFS_CHILD), arguments, options);
    }
    static bool said(ChildProcess& child, const QByteArray& line) {
        return zendra::test::waitUntil([&] { return child.standardOutput().contains(line + '\n'); }, 10s);
    }
    static void finish(ChildProcess& child) {
        const auto status = child.waitForExit(30s);
        ASSERT_TRUE(status);
        ASSERT_EQ(status->exitCode, 0) << zendra::test::describe(*status).toStdString();
    }

    StoredDictionary fileEntries() const { return zendra::test::entriesOnDisk(path()); }

    zendra::test::TempXdgDirs dirs_;
};

TEST_F(FileSuiteProcesses, KilledWriterLeavesACompleteFile) {
    constexpr int names = 50;
    for (int attempt = 0; attempt < 5; ++attempt) {
        auto writer = start({path(), "burst", QString::number(names)});
        ASSERT_TRUE(said(writer, "flushed"));
        std::this_thread::sleep_for(
            std::chrono::milliseconds(60 + 37 * attempt)); // somewhere in a later flush
        writer.kill();

        const auto entries = fileEntries();
        ASSERT_EQ(entries.size(), std::size_t{names});
        for (int i = 0; i < names; ++i) {
            const auto found = entries.find(QStringLiteral("n%1").arg(i));
            ASSERT_NE(found, entries.end());
            ASSERT_TRUE(found->second.number());
            EXPECT_GE(found->second.number()->toInt64(), 1);
        }
        EXPECT_TRUE(QDir(folder()).entryList({"*.corrupt-*"}).isEmpty());
        // The next user of the file cleans up after the killed one.
        FileSuite::open(path());
        EXPECT_TRUE(QDir(folder()).entryList({"*.tmp-*"}).isEmpty());
    }
}

TEST_F(FileSuiteProcesses, ConcurrentWritersOfDifferentNamesLoseNothing) {
    constexpr int count = 150;
    auto first = start({path(), "write", "a", QString::number(count)});
    auto second = start({path(), "write", "b", QString::number(count)});
    finish(first);
    finish(second);
    const auto entries = fileEntries();
    EXPECT_EQ(entries.size(), std::size_t{2 * count});
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries.at(QStringLiteral("a%1").arg(i)), StoredObject(i));
        EXPECT_EQ(entries.at(QStringLiteral("b%1").arg(i)), StoredObject(i));
    }
    EXPECT_FALSE(QFile::exists(path() + ".lock")) << "no lock file stays once both have ended";
}

TEST_F(FileSuiteProcesses, TerminationSignalsWritePendingChanges) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const QString value = QStringLiteral("before signal %1").arg(signal);
        auto child = start({path(), "term", "text", value});
        ASSERT_TRUE(said(child, "ready"));
        child.sendSignal(signal);
        const auto status = child.waitForExit(10s);
        ASSERT_TRUE(status);
        EXPECT_EQ(status->signal, signal) << "the signal still ends the process";
        EXPECT_EQ(fileEntries().at("text"), StoredObject(value));
    }
}

TEST_F(FileSuiteProcesses, StandardSuiteLivesUnderTheConfigFolder) {
    QDir(dirs_.configHome()).removeRecursively();
    auto child = start({"standard", "text", QString::fromUtf8("caf\xc3\xa9")});
    finish(child);
    EXPECT_EQ(fileEntries(), (StoredDictionary{{"text", QString::fromUtf8("caf\xc3\xa9")}}));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A relative XDG_CONFIG_HOME is ignored in favour of ~/.config.
    auto relative = start({"standard", "text", "home"}, {{"HOME", QFile::encodeName(dirs_.root())},
                                                         {"XDG_CONFIG_HOME", "relative/config"}});
    finish(relative);
    EXPECT_EQ(
        zendra::test::entriesOnDisk(dirs_.root() + "/.config/zendra/org.zendra.Zendra.plist").at("text"),
        StoredObject("home"));
}

} // namespace
} // namespace zendra::Prefs
