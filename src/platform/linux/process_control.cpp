#include "platform/linux/process_control.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QProcess>
#include <cstdlib>

namespace zendra::linux_process {

ProcessControl::StartResult ProcessControl::startDetached(const QString& program,
                                                          const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    qint64 pid = 0;
    if (!process.startDetached(&pid)) {
        QString error = process.errorString();
        if (error.isEmpty() || error == QLatin1String("Unknown error")) {
            error = QStringLiteral("Could not start %1").arg(program);
        }
        return error;
    }
    return pid;
}

qint64 ProcessControl::currentProcessId() {
    return QCoreApplication::applicationPid();
}

void ProcessControl::exitImmediately(int status) {
    std::exit(status);
}

void ProcessControl::terminate() {
    if (QCoreApplication::instance() == nullptr) {
        std::exit(0);
    }
    // Queued, so that a relaunch asked for before the event loop runs still ends the instance once it
    // does (quit() alone does nothing while no loop runs).
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace zendra::linux_process
