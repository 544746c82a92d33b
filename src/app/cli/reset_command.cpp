#include "app/cli/reset_command.h"

#include "app/identity.h"
#include "kit/data_reset.h"
#include "prefs/file_suite.h"
#include "prefs/standard_suite.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>

namespace zendra {

namespace {

// The instance writes its settings when it ends; this is ample for that.
constexpr int stopTimeoutMs = 10'000;
constexpr int pollIntervalMs = 20;

// A process that has ended but is not reaped yet (a zombie) counts as ended.
bool isRunning(qint64 pid) {
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM) {
        return false;
    }
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')'); // the name in parentheses may hold anything
    return close < 0 || text.mid(close + 2, 1) != "Z";
}

} // namespace

void resetDataAndSettings() {
    const auto suite = Prefs::standardSuite();
    KZApp::deleteDataAndSettings(
        *suite, KZApp::dataFolders(QProcessEnvironment::systemEnvironment(), QStringLiteral("zendra")),
        &KZApp::moveToTrash);
    if (const auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(suite)) {
        file->flush();
    }
}

int ResetCommand::run(bool assumeYes) {
    if (!assumeYes && !confirmed()) {
        return exitFailure;
    }
    const std::optional<qint64> running = operations_.runningInstance();
    if (running && !operations_.stopInstance(*running)) {
        reportError(streams_.err, QCoreApplication::translate(
                                      "zendra::cli", "the running instance (process %1) did not end; "
                                                     "nothing was deleted")
                                      .arg(*running));
        return exitFailure;
    }
    operations_.deleteDataAndSettings();
    if (running && !operations_.startInstance()) {
        reportError(streams_.err, QCoreApplication::translate("zendra::cli", "could not start Zendra again"));
        return exitFailure;
    }
    return exitSuccess;
}

bool ResetCommand::confirmed() {
    if (!operations_.interactive()) {
        reportError(streams_.err, QCoreApplication::translate(
                                      "zendra::cli", "not on a terminal: use '%1' to reset without asking")
                                      .arg(QLatin1String("zendra reset --yes")));
        return false;
    }
    streams_.err << QCoreApplication::translate("zendra::cli", "Delete all data and settings for %1? [y/N] ")
                        .arg(QLatin1String(identity::applicationName))
                        .toStdString()
                 << std::flush;
    std::string answer;
    std::getline(streams_.in, answer);
    const QString reply = QString::fromStdString(answer).trimmed().toLower();
    return reply == QLatin1String("y") || reply == QLatin1String("yes");
}

ResetCommand::Operations sessionResetOperations() {
    ResetCommand::Operations operations;
    operations.interactive = [] { return ::isatty(STDIN_FILENO) == 1; };
    operations.runningInstance = []() -> std::optional<qint64> {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return std::nullopt;
        }
        const auto reply = bus.interface()->servicePid(QString::fromUtf8(identity::bundleIdentifier));
        return reply.isValid() && reply.value() > 0 ? std::optional<qint64>(reply.value()) : std::nullopt;
    };
    operations.stopInstance = [](qint64 pid) {
        if (::kill(pid_t(pid), SIGTERM) != 0 && errno == ESRCH) {
            return true;
        }
        for (int waited = 0; waited < stopTimeoutMs; waited += pollIntervalMs) {
            if (!isRunning(pid)) {
                return true;
            }
            QThread::msleep(pollIntervalMs);
        }
        return !isRunning(pid);
    };
    operations.deleteDataAndSettings = &resetDataAndSettings;
    operations.startInstance = [] {
        return QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
    };
    return operations;
}

} // namespace zendra
