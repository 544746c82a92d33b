// Relaunches itself once and reports to the file named by its first argument, one line per step:
//   old pid=<p> started=<0|1> child=<pid> childRunning=<0|1> sameProgram=<0|1>
//   new pid=<p> from=<old pid>
//   old exited=<0|1>
//   settings opened
// The first instance asks for the settings window to open after the relaunch.
#include "kit/kit.h"
#include "kit/relaunch.h"
#include "platform/linux/process_control.h"
#include "platform/linux/process_exit.h"
#include "prefs/file_suite.h"
#include "prefs/standard_suite.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

using namespace zendra;

namespace {

void report(const QString& path, const QString& line) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write((line + u'\n').toUtf8());
    }
}

void flushSettings() {
    if (auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(Prefs::standardSuite())) {
        file->flush();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        return 2;
    }
    const QString reportFile = arguments.front();

    if (const auto old = KZApp::relaunchedFrom(arguments)) {
        report(reportFile, QStringLiteral("new pid=%1 from=%2").arg(getpid()).arg(*old));
        const bool exited = zendra::linux_process::waitForProcessExit(*old, 10000);
        report(reportFile, QStringLiteral("old exited=%1").arg(exited ? 1 : 0));
        KZKit::Environment environment;
        environment.hooks.openSettings = [&] { report(reportFile, QStringLiteral("settings opened")); };
        KZKit kit(environment);
        QCoreApplication::processEvents();
        return 0;
    }

    KZKit kit;
    zendra::linux_process::ProcessControl processes;
    const auto result =
        KZApp::relaunch({.exitImmediately = false, .showSettings = true}, processes, Prefs::standardSuite(),
                        QCoreApplication::applicationFilePath(), arguments, flushSettings);
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(result.newProcessId)).symLinkTarget();
    report(reportFile, QStringLiteral("old pid=%1 started=%2 child=%3 childRunning=%4 sameProgram=%5")
                           .arg(getpid())
                           .arg(result.started ? 1 : 0)
                           .arg(result.newProcessId)
                           .arg(zendra::linux_process::isProcessRunning(result.newProcessId) ? 1 : 0)
                           .arg(exe == QCoreApplication::applicationFilePath() ? 1 : 0));
    if (!result.started) {
        return 1;
    }
    return app.exec(); // the relaunch queued the quit
}
