#pragma once

// On a Wayland session applications cannot grab keys: the desktop binds the application's global
// shortcuts itself, through the desktop portal, where it offers that.

#include "hotkeys/desktop_shortcuts.h"
#include "hotkeys/environment.h"
#include "platform/linux/session/linux_session.h"

#include <memory>

namespace zendra {

// The shortcut subsystem's services: X11 key grabs wherever there is an X server (also XWayland); on a
// Wayland session without one, none, so that only the desktop's binding speaks of shortcuts.
Hotkeys::Environment hotkeysEnvironmentForSession(const LinuxSession& session);

// On a Wayland session, asks the desktop to bind the three shortcut names (toggle the editor, clear the
// text, paste) and returns the binding, which delivers their events while it lives. Elsewhere returns
// none: X11 key grabs serve. Call it after Hotkeys::setEnvironment.
std::unique_ptr<Hotkeys::DesktopShortcuts> bindShortcutsOnDesktop(const LinuxSession& session);

} // namespace zendra
