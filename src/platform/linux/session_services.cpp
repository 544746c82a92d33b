#include "platform/linux/session_services.h"

#include "platform/linux/desktop_shortcuts.h"
#include "platform/linux/process_footprint.h"
#include "platform/linux/x11/idle_time.h"
#include "platform/linux/x11/keyboard_modifiers.h"
#include "platform/linux/x11/window_activation.h"

namespace zendra {

SessionServices makeSessionServices(const LinuxSession& session) {
    SessionServices services;
    // The X11 services find out for themselves when there is no server, and then answer nothing.
    services.idleTime = std::make_shared<x11::ScreenSaverIdleTime>();
    services.footprint = std::make_shared<linux_process::ProcFootprint>();
    services.keyboardModifiers = std::make_shared<x11::XcbKeyboardModifiers>();
    services.activateWindow = &x11::activateWindow;
    services.hotkeys = hotkeysEnvironmentForSession(session);
    services.hasSystemWideKeyGrabs = session.hasSystemWideKeyGrabs();
    return services;
}

} // namespace zendra
