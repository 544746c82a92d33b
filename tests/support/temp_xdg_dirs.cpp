#include "support/temp_xdg_dirs.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace zendra::test {

namespace {

const char* const folders[][2] = {
    {"HOME", "home"},
    {"XDG_CONFIG_HOME", "config"},
    {"XDG_DATA_HOME", "data"},
    {"XDG_CACHE_HOME", "cache"},
    {"XDG_STATE_HOME", "state"},
    {"XDG_RUNTIME_DIR", "runtime"},
    {"XDG_DATA_DIRS", "system-data"},
    {"XDG_CONFIG_DIRS", "system-config"},
};

// Variables through which the developer's session would change what a test sees.
const char* const removed[] = {
    "XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP",      "XDG_SESSION_TYPE", "DESKTOP_SESSION",
    "KDE_FULL_SESSION",    "GNOME_DESKTOP_SESSION_ID", "FLATPAK_ID",       "QT_QPA_PLATFORMTHEME",
};

} // namespace

TempXdgDirs::TempXdgDirs() {
    if (!dir_.isValid()) {
        throw std::runtime_error("TempXdgDirs: cannot create a temporary directory: " +
                                 dir_.errorString().toStdString());
    }
    for (const auto& [variable, folder] : folders) {
        const QString path = dir_.filePath(QString::fromLatin1(folder));
        QDir().mkpath(path);
        overrides_.push_back(std::make_unique<ScopedEnv>(variable, QFile::encodeName(path)));
    }
    for (const char* variable : removed) {
        overrides_.push_back(std::make_unique<ScopedEnv>(variable, std::nullopt));
    }
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString TempXdgDirs::home() const {
    return dir_.filePath(QStringLiteral("home"));
}
QString TempXdgDirs::configHome() const {
    return dir_.filePath(QStringLiteral("config"));
}
QString TempXdgDirs::dataHome() const {
    return dir_.filePath(QStringLiteral("data"));
}
QString TempXdgDirs::cacheHome() const {
    return dir_.filePath(QStringLiteral("cache"));
}
QString TempXdgDirs::stateHome() const {
    return dir_.filePath(QStringLiteral("state"));
}
QString TempXdgDirs::runtimeDir() const {
    return dir_.filePath(QStringLiteral("runtime"));
}

} // namespace zendra::test
