#pragma once

#include "hotkeys/environment.h"

#include <QByteArray>

namespace zendra::x11 {

// The shortcut subsystem's services on X11 over the standard suite: hot keys and the system-wide check
// on one connection, the keyboard layout on another. Works (with every registration failing) when there
// is no X server. Create it on the main thread, after the QCoreApplication.
Hotkeys::Environment hotkeysEnvironment(const QByteArray& display = {});

} // namespace zendra::x11
