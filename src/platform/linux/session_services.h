#pragma once

// The Linux services the application runs on, made for one session: the composition root asks for
// them here instead of choosing implementations itself.

#include "hotkeys/environment.h"
#include "kit/modifier_flags.h"
#include "platform/linux/session/linux_session.h"
#include "watchdog/memory_watchdog.h"

#include <functional>
#include <memory>

class QWidget;

namespace zendra {

struct SessionServices {
    std::shared_ptr<IdleTimeSource> idleTime; // unknown without an X server
    std::shared_ptr<MemoryFootprint> footprint;
    std::shared_ptr<KZApp::KeyboardModifiers> keyboardModifiers; // none held without an X server
    // Shows a window as the answer to a user's request, past a window manager's focus-stealing guard.
    std::function<void(QWidget&)> activateWindow;
    // The shortcut subsystem's services; install them with Hotkeys::setEnvironment.
    Hotkeys::Environment hotkeys;
    // False: the settings tell the user to bind the shortcuts in the desktop's own settings.
    bool hasSystemWideKeyGrabs = true;
};

// Create them on the main thread, after the QApplication.
SessionServices makeSessionServices(const LinuxSession& session);

} // namespace zendra
