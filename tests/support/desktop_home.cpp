#include "support/desktop_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <stdexcept>

namespace zendra::test {

namespace {

const char* const folders[][2] = {
    {"HOME", "home"},
    {"XDG_CONFIG_HOME", "config"},
    {"XDG_DATA_HOME", "data"},
    {"XDG_CACHE_HOME", "cache"},
    {"XDG_RUNTIME_DIR", "runtime"},
};

} // namespace

DesktopHome::DesktopHome() {
    if (!dir_.isValid()) {
        throw std::runtime_error("DesktopHome: cannot create a temporary directory: " +
                                 dir_.errorString().toStdString());
    }
    for (const auto& [variable, folder] : folders) {
        QDir().mkpath(dir_.filePath(QString::fromLatin1(folder)));
    }
    QFile::setPermissions(dir_.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    systemBus_.emplace(QStringList{}, SessionBus::Role::other);
}

QString DesktopHome::home() const {
    return dir_.filePath(QStringLiteral("home"));
}

QString DesktopHome::configHome() const {
    return dir_.filePath(QStringLiteral("config"));
}

EnvironmentChanges DesktopHome::environment() const {
    EnvironmentChanges changes;
    for (const auto& [variable, folder] : folders) {
        changes[variable] = QFile::encodeName(dir_.filePath(QString::fromLatin1(folder)));
    }
    changes["XDG_DATA_DIRS"] = "/usr/local/share:/usr/share";
    changes["XDG_CONFIG_DIRS"] = "/etc/xdg";
    changes["DBUS_SYSTEM_BUS_ADDRESS"] = systemBus_->address().toUtf8();
    changes["LANG"] = "C.UTF-8";
    changes["NO_AT_BRIDGE"] = "1";
    return changes;
}

std::optional<QString> firstMissing(const QStringList& programs, const QStringList& paths) {
    for (const QString& program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            return program;
        }
    }
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) {
            return path;
        }
    }
    return std::nullopt;
}

} // namespace zendra::test
