#include "support/temp_xdg_dirs.h"

#include <QDir>
#include <QFile>

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
    for (const auto& [variable, folder] : variables) {
        const QByteArray name(variable);
        saved_[name] = qEnvironmentVariableIsSet(variable) ? std::optional(qgetenv(variable)) : std::nullopt;
        const QString path = dir_.filePath(QString::fromLatin1(folder));
        QDir().mkpath(path);
        qputenv(variable, QFile::encodeName(path));
    }
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TempXdgDirs::~TempXdgDirs() {
    for (const auto& [name, value] : saved_) {
        if (value) {
            qputenv(name.constData(), *value);
        } else {
            qunsetenv(name.constData());
        }
    }
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
