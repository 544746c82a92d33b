#include "platform/linux/autostart_service.h"

#include "platform/linux/autostart_desktop_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace zendra::autostart {

namespace {

// Larger than any real entry; a bigger file is not one of ours and is not read whole.
constexpr qint64 maximumEntrySize = 64 * 1024;

// Desktop entry strings have escapes for newline, tab and carriage return, but not for other controls.
bool isRepresentable(const QString& text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control && c != u'\n' && c != u'\t' && c != u'\r';
    });
}

} // namespace

QString autostartFolder() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config)) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return QDir::cleanPath(config + QStringLiteral("/autostart"));
}

AutostartService::AutostartService(QString desktopFileId, QString applicationName, QString executable,
                                   QStringList arguments)
    : desktopFileId_(std::move(desktopFileId)), applicationName_(std::move(applicationName)),
      executable_(std::move(executable)), arguments_(std::move(arguments)) {}

QString AutostartService::entryPath() const {
    return autostartFolder() + u'/' + desktopFileId_ + QStringLiteral(".desktop");
}

LoginLaunch::AppServiceStatus AutostartService::status() {
    QFile file(entryPath());
    if (!file.exists()) {
        return LoginLaunch::AppServiceStatus::notRegistered;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return LoginLaunch::AppServiceStatus::notRegistered; // the session cannot read it either
    }
    const QString text = QString::fromUtf8(file.read(maximumEntrySize));
    return isEnabledEntry(text) ? LoginLaunch::AppServiceStatus::enabled
                                : LoginLaunch::AppServiceStatus::notRegistered;
}

LoginLaunch::Result AutostartService::registerService() {
    if (!isRepresentable(executable_) ||
        !std::all_of(arguments_.begin(), arguments_.end(), isRepresentable)) {
        return LoginLaunch::Result::failure(
            QStringLiteral("The command %1 has control characters that an autostart entry cannot hold")
                .arg(executable_));
    }
    const QString folder = autostartFolder();
    if (!QDir().mkpath(folder)) {
        return LoginLaunch::Result::failure(QStringLiteral("Cannot create the folder %1").arg(folder));
    }
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly)) {
        return LoginLaunch::Result::failure(
            QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
    }
    file.write(autostartEntryText(applicationName_, executable_, arguments_).toUtf8());
    if (!file.commit()) {
        return LoginLaunch::Result::failure(
            QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
    }
    return LoginLaunch::Result::success();
}

LoginLaunch::Result AutostartService::unregisterService() {
    QFile file(entryPath());
    if (!QFileInfo::exists(file.fileName()) && !QFileInfo(file.fileName()).isSymLink()) {
        return LoginLaunch::Result::success();
    }
    if (!file.remove()) {
        return LoginLaunch::Result::failure(
            QStringLiteral("Cannot remove %1: %2").arg(file.fileName(), file.errorString()));
    }
    return LoginLaunch::Result::success();
}

} // namespace zendra::autostart
