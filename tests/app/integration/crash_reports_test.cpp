// Crash reports of the real binary, in a temporary home: a fatal signal leaves one report in a folder
// that keeps only the newest few, and a crashes path that cannot take reports costs only the report.
#include "support/child_process.h"
#include "support/launch_history.h"
#include "support/read_only_folders.h"
#include "support/temp_xdg_dirs.h"
#include "support/tree_snapshot.h"
#include "support/wait_until.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::ReadOnlyFolders;
using zendra::test::waitUntil;

bool writeFile(const QString& path, const QByteArray& content, const QDateTime& modified = {}) {
    QFile file(path);
    // Written out before the time is set, or closing would set it again.
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.flush()) {
        return false;
    }
    return !modified.isValid() || file.setFileTime(modified, QFileDevice::FileModificationTime);
}

class CrashReportsTest : public testing::Test {
protected:
    // Starts the application (no core file: the tests are about the reports), waits until it has
    // started, and sends it SIGSEGV. `prepare` runs once it has started. Returns its pid, or 0 when it did
    // not die of the signal within a few seconds.
    pid_t crash(const ReadOnlyFolders::Command& command, const std::function<void()>& prepare = {}) {
        EXPECT_TRUE(zendra::test::markLaunchedBefore(xdg));
        QStringList arguments{"-c", "ulimit -c 0 && exec \"$@\"", "sh", command.program};
        ChildProcess app("sh", arguments << command.arguments);
        // The launch is counted after the crash handler is in place (the bus name is taken before).
        const auto counted = [this] {
            QFile file(xdg.configHome() + "/zendra/org.zendra.Zendra.plist");
            return file.open(QIODevice::ReadOnly) &&
                   QString::fromUtf8(file.readAll())
                       .contains(QRegularExpression("<key>KZ_launchCount</key>\\s*<integer>2</integer>"));
        };
        EXPECT_TRUE(waitUntil(counted, 10s)) << app.standardError().toStdString();
        if (prepare) {
            prepare();
        }
        app.sendSignal(SIGSEGV);
        const auto status = app.waitForExit(10s);
        EXPECT_TRUE(status) << "the crash did not end the process";
        if (!status || status->signal != SIGSEGV) {
            ADD_FAILURE() << (status ? zendra::test::describe(*status).toStdString() : std::string())
                          << app.standardError().toStdString();
            return 0;
        }
        return app.pid();
    }

    QString folder() const { return xdg.stateHome() + "/zendra/crashes"; }

    zendra::test::TempXdgDirs xdg;
};

TEST_F(CrashReportsTest, ACrashAddsOneReportAndOnlyTheNewestFewAreKept) {
    ASSERT_TRUE(QDir().mkpath(folder()));
    const QDateTime past = QDateTime::currentDateTime().addDays(-30);
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(writeFile(folder() + QString("/Zendra-%1-100.crash").arg(i), "old", past.addSecs(i)));
    }
    ASSERT_TRUE(writeFile(folder() + "/notes.txt", "mine", past));
    ASSERT_TRUE(writeFile(folder() + "/Other-1-1.crash", "another program's", past));

    const pid_t pid = crash({ZENDRA_BINARY, {}});
    ASSERT_NE(pid, 0);
    QStringList reports = QDir(folder()).entryList({"Zendra-*.crash"}, QDir::Files, QDir::Time);
    ASSERT_EQ(reports.size(), 32) << reports.join(' ').toStdString();
    EXPECT_TRUE(reports.takeFirst().endsWith(QString("-%1.crash").arg(pid))) << "the newest is this crash's";
    EXPECT_EQ(reports.last(), "Zendra-9-100.crash") << "the oldest went first";
    EXPECT_TRUE(QFile::exists(folder() + "/notes.txt"));
    EXPECT_TRUE(QFile::exists(folder() + "/Other-1-1.crash"));
}

TEST_F(CrashReportsTest, ACrashesPathThatTakesNoReportsLeavesEverythingAsItWas) {
    const QString state = xdg.stateHome();
    ASSERT_TRUE(QDir().mkpath(state + "/zendra"));

    // A file where the folder should be.
    ASSERT_TRUE(writeFile(folder(), "not a folder"));
    auto before = zendra::test::snapshotTree(state);
    EXPECT_NE(crash({ZENDRA_BINARY, {}}), 0);
    EXPECT_EQ(zendra::test::changedPaths(before, zendra::test::snapshotTree(state)), "");

    // A folder that cannot be written, holding an old report.
    ASSERT_TRUE(QFile::remove(folder()) && QDir().mkpath(folder()));
    ASSERT_TRUE(writeFile(folder() + "/Zendra-1-1.crash", "old"));
    before = zendra::test::snapshotTree(state);
    {
        ReadOnlyFolders readOnly({folder()});
        EXPECT_NE(crash(readOnly.command(ZENDRA_BINARY)), 0);
    }
    EXPECT_EQ(zendra::test::changedPaths(before, zendra::test::snapshotTree(state)), "");

    // The folder is there at the start, and a file has taken its place by the time of the crash.
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    EXPECT_NE(crash({ZENDRA_BINARY, {}},
                    [&] {
                        ASSERT_TRUE(QDir(folder()).removeRecursively());
                        ASSERT_TRUE(writeFile(folder(), "not a folder"));
                        before = zendra::test::snapshotTree(state);
                    }),
              0);
    EXPECT_EQ(zendra::test::changedPaths(before, zendra::test::snapshotTree(state)), "");
}

} // namespace
