#include "platform/linux/crash_handler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zendra;

namespace {

TEST(CrashHandlerTest, AProcessKilledBySegfaultLeavesOneReportAndStillDiesOfTheSignal) {
    QProcessEnvironment environment;
    environment.insert("HOME", "/home/ann");
    EXPECT_EQ(linux_crash::crashReportsFolder(environment), "/home/ann/.local/state/zendra/crashes");
    environment.insert("XDG_STATE_HOME", "/var/state");
    EXPECT_EQ(linux_crash::crashReportsFolder(environment), "/var/state/zendra/crashes");

    QTemporaryDir state;
    const QString folder = state.path() + "/zendra/crashes";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!linux_crash::installCrashHandler(folder, "Zendra", "1.2")) {
            _exit(3);
        }
        ::kill(::getpid(), SIGSEGV);
        _exit(4); // not reached
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGSEGV) << "the default action ran after the report";

    const QStringList reports = QDir(folder).entryList({"Zendra-*.crash"}, QDir::Files);
    ASSERT_EQ(reports.size(), 1) << reports.join(' ').toStdString();
    EXPECT_TRUE(reports[0].endsWith(QString("-%1.crash").arg(child)));
    QFile report(folder + '/' + reports[0]);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(report.readAll());
    EXPECT_TRUE(text.startsWith("Application: Zendra\nVersion: 1.2\nSignal: 11 (SIGSEGV)\nBacktrace:\n"))
        << text.toStdString();
    EXPECT_GT(text.count('\n'), 5) << "a backtrace of several frames";
}

} // namespace
