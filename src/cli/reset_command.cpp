#include "cli/reset_command.h"

#include "base/identity.h"
#include "kit/data_reset.h"
#include "prefs/standard_suite.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <sys/stat.h>
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

// Whether the process `pid` runs this very executable file. When an upgrade has replaced the file since
// that process started, its link reads "<the same path> (deleted)".
bool runsThisExecutable(qint64 pid) {
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    struct stat own {};
    struct stat other {};
    if (::stat("/proc/self/exe", &own) == 0 && ::stat(link.c_str(), &other) == 0 &&
        own.st_dev == other.st_dev && own.st_ino == other.st_ino) {
        return true;
    }
    std::error_code error;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const std::string target = error ? std::string() : std::filesystem::read_symlink(link, error).string();
    return !error && !self.empty() && target == self + " (deleted)";
}

} // namespace

QStringList resetDataAndSettings() {
    const auto environment = QProcessEnvironment::systemEnvironment();
    const QString identifier = QString::fromUtf8(identity::bundleIdentifier);
    const auto sandbox =
        KZApp::runsInOwnSandbox(environment, identifier) ? std::optional<QString>(identifier) : std::nullopt;
    return KZApp::deleteDataAndSettings(*Prefs::standardSuite(),
                                        KZApp::dataFolders(environment, QStringLiteral("zendra"), sandbox),
                                        &KZApp::moveToTrash);
}

int ResetCommand::run(bool assumeYes) {
    if (!assumeYes && !confirmed()) {
        return exitFailure;
    }
    const std::optional<qint64> running = operations_.runningInstance();
    // Another program may own the name (in a container, say): it is not Zendra's to end.
    if (running && !operations_.isZendra(*running)) {
        reportError(streams_.err, QCoreApplication::translate(
                                      "zendra::cli", "process %1 owns Zendra's bus name but does not run "
                                                     "this Zendra; nothing was deleted")
                                      .arg(*running));
        return exitFailure;
    }
    if (running && !operations_.stopInstance(*running)) {
        reportError(streams_.err, QCoreApplication::translate(
                                      "zendra::cli", "the running instance (process %1) did not end; "
                                                     "nothing was deleted")
                                      .arg(*running));
        return exitFailure;
    }
    const QStringList problems = operations_.deleteDataAndSettings();
    for (const QString& problem : problems) {
        reportError(streams_.err, problem);
    }
    // The instance comes back even after a failed reset: what was not deleted is still the user's.
    if (running && !operations_.startInstance()) {
        reportError(streams_.err, QCoreApplication::translate("zendra::cli", "could not start Zendra again"));
        return exitFailure;
    }
    return problems.isEmpty() ? exitSuccess : exitFailure;
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
    operations.isZendra = &runsThisExecutable;
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
