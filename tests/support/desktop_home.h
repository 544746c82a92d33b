#pragma once

#include "support/process_handle.h"
#include "support/session_bus.h"

#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace zendra::test {

// What a desktop shell started by a desktop test needs beside the executable's private X server and
// session bus: a temporary home of its own (HOME and the XDG folders, the runtime folder 0700), the
// system folders it reads its parts from (XDG_DATA_DIRS, so nothing of the developer's own settings
// counts), and a second private bus standing in for the system bus (the shell asks it for the
// services of a login session; none answer, which shells take as a machine without them).
//
//     DesktopHome home;
//     writeFile(home.configHome() + "/...", ...);
//     ChildProcess shell("gnome-shell", {...}, {home.environment()});
//
// The programs under test keep their own folders (TempXdgDirs): only the shell lives here.
class DesktopHome {
public:
    DesktopHome();
    DesktopHome(const DesktopHome&) = delete;
    DesktopHome& operator=(const DesktopHome&) = delete;

    QString home() const;
    QString configHome() const;
    QString systemBusAddress() const { return systemBus_->address(); }
    // The variables above for the shell's environment, on top of the test's.
    EnvironmentChanges environment() const;

private:
    QTemporaryDir dir_;
    std::optional<SessionBus> systemBus_;
};

// Looks for every program on PATH and every path given; returns the first that is missing.
std::optional<QString> firstMissing(const QStringList& programs, const QStringList& paths = {});

} // namespace zendra::test
