#pragma once

#include "support/scoped_env.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace zendra::test {

// Points XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR (mode 0700) at fresh
// folders under one temporary directory, and puts the previous values back when destroyed.
// Make one per test (a fixture member); the test mains also make one for the whole executable so that
// nothing outside a test's own folders reaches the real home.
class TempXdgDirs {
public:
    TempXdgDirs();
    TempXdgDirs(const TempXdgDirs&) = delete;
    TempXdgDirs& operator=(const TempXdgDirs&) = delete;

    QString root() const { return dir_.path(); }
    QString configHome() const;
    QString dataHome() const;
    QString cacheHome() const;
    QString runtimeDir() const;

private:
    QTemporaryDir dir_;
    std::vector<std::unique_ptr<ScopedEnv>> overrides_;
};

} // namespace zendra::test
