#include "kit/kit.h"
#include "kit/relaunch.h"
#include "platform/linux/process_control.h"
#include "prefs/prefs.h"
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace zendra;

using namespace std::chrono_literals;

namespace {

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of `name=` in the report line that starts with `prefix`.
QString field(const QString& report, const QString& prefix, const QString& name) {
    for (const auto& line : report.split(u'\n')) {
        if (!line.startsWith(prefix)) {
            continue;
        }
        const auto match = QRegularExpression("\\b" + name + "=(\\S+)").match(line);
        if (match.hasMatch()) {
            return match.captured(1);
        }
    }
    return {};
}

TEST(KitRunsTest, TenLaunchesCountToTenAndKeepTheFirstDate) {
    zendra::test::TempXdgDirs xdg;
    QString firstDate;
    for (int launch = 1; launch <= 10; ++launch) {
        zendra::test::ChildProcess counter(KIT_LAUNCH_COUNTER);
        const auto status = counter.waitForExit(20s);
        ASSERT_TRUE(status && status->exitCode == 0) << counter.standardError().toStdString();
        const QString output = QString::fromUtf8(counter.standardOutput()).trimmed();
        EXPECT_EQ(field(output, "count", "count"), QString::number(launch)) << output.toStdString();
        if (launch == 1) {
            firstDate = field(output, "count", "first");
            ASSERT_FALSE(firstDate.isEmpty());
        }
        EXPECT_EQ(field(output, "count", "first"), firstDate) << "launch " << launch;
    }
    EXPECT_TRUE(QFile::exists(xdg.configHome() + "/zendra/org.zendra.Zendra.plist"));
}

TEST(KitRunsTest, RelaunchStartsTheNewInstanceBeforeTheOldOneEnds) {
    zendra::test::TempXdgDirs xdg;
    const QString reportPath = xdg.root() + "/report.txt";
    zendra::test::ChildProcess old(KIT_SELF_RELAUNCHER, {reportPath});
    const auto status = old.waitForExit(20s);
    ASSERT_TRUE(status && status->exitCode == 0) << old.standardError().toStdString();

    ASSERT_TRUE(
        zendra::test::waitUntil([&] { return readFile(reportPath).contains("settings opened"); }, 20s))
        << readFile(reportPath).toStdString();
    const QString report = readFile(reportPath);
    EXPECT_EQ(field(report, "old", "started"), "1");
    EXPECT_EQ(field(report, "old", "childRunning"), "1") << "the new instance runs when the relaunch returns";
    EXPECT_EQ(field(report, "old", "sameProgram"), "1");
    EXPECT_EQ(field(report, "old", "child"), field(report, "new", "pid"));
    EXPECT_EQ(field(report, "new", "from"), QString::number(old.pid()))
        << "the new instance knows the old one";
    EXPECT_EQ(field(report, "old exited", "exited"), "1");
}

TEST(KitRunsTest, AProgramThatCannotStartIsReportedAndNothingEnds) {
    zendra::linux_process::ProcessControl processes;
    auto suite = Prefs::Suite::makeInMemory();
    const auto result = KZApp::relaunch({.exitImmediately = true, .showSettings = true}, processes, suite,
                                        "/nonexistent/zendra", {});
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_FALSE(suite->hasPersistentEntry("KZ_isShowingSettingsAfterRelaunch"));
}

} // namespace
