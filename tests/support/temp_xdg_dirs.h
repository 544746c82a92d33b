#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <optional>

namespace zendra::test {

// Points XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR (mode 0700) at fresh
// folders under one temporary directory, and puts the previous values back when destroyed.
class TempXdgDirs {
public:
    TempXdgDirs();
    ~TempXdgDirs();
    TempXdgDirs(const TempXdgDirs&) = delete;
    TempXdgDirs& operator=(const TempXdgDirs&) = delete;

    QString root() const { return dir_.path(); }
    QString configHome() const;
    QString dataHome() const;
    QString cacheHome() const;
    QString runtimeDir() const;

private:
    QTemporaryDir dir_;
    std::map<QByteArray, std::optional<QByteArray>> saved_;
};

} // namespace zendra::test
