#include "support/temp_xdg_dirs.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace zendra::test {

namespace {
const char* const variables[][2] = {
    {"XDG_CONFIG_HOME", "config"},
    {"XDG_DATA_HOME", "data"},
    {"XDG_CACHE_HOME", "cache"},
    {"XDG_RUNTIME_DIR", "runtime"},
};
} // namespace

TempXdgDirs::TempXdgDirs() {
    if (!dir_.isValid()) {
        throw std::runtime_error("TempXdgDirs: cannot create a temporary directory: " +
                                 dir_.errorString().toStdString());
    }
    for (const auto& [variable, folder] : variables) {
        const QString path = dir_.filePath(QString::fromLatin1(folder));
        QDir().mkpath(path);
        overrides_.push_back(std::make_unique<ScopedEnv>(variable, QFile::encodeName(path)));
    }
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
QString TempXdgDirs::runtimeDir() const {
    return dir_.filePath(QStringLiteral("runtime"));
}

} // namespace zendra::test
