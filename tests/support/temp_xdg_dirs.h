#pragma once

#include "support/scoped_env.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace zendra::test {

// Gives the process a home of its own under one temporary directory and puts the previous environment
// back when destroyed: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME, XDG_STATE_HOME and
// XDG_RUNTIME_DIR (mode 0700) point at fresh folders, and the system lookup paths XDG_DATA_DIRS and
// XDG_CONFIG_DIRS at empty ones, so that nothing installed on the machine (icons, desktop entries,
// configuration) is found. The session's desktop identification (XDG_CURRENT_DESKTOP and friends, a
// sandbox's FLATPAK_ID, the Qt platform theme) is removed. A test that starts a real desktop host, which
// needs the system's data, passes XDG_DATA_DIRS to that host explicitly.
// Make one per test (a fixture member); the test mains also make one for the whole executable so that
// nothing outside a test's own folders reaches the real home.
class TempXdgDirs {
public:
    TempXdgDirs();
    TempXdgDirs(const TempXdgDirs&) = delete;
    TempXdgDirs& operator=(const TempXdgDirs&) = delete;

    QString root() const { return dir_.path(); }
    QString home() const;
    QString configHome() const;
    QString dataHome() const;
    QString cacheHome() const;
    QString stateHome() const;
    QString runtimeDir() const;

private:
    QTemporaryDir dir_;
    std::vector<std::unique_ptr<ScopedEnv>> overrides_;
};

} // namespace zendra::test
