#pragma once

// What a starting process can find of a graphical session, checked before Qt connects: Qt ends the
// process when its platform plugin is missing or finds no display.

#include <QByteArray>

namespace zendra::linux_display {

// A Wayland compositor accepts connections on the display `name` (a socket name in $XDG_RUNTIME_DIR,
// or an absolute path), the session's $WAYLAND_DISPLAY. False when it is empty.
bool waylandDisplayReachable(const QByteArray& name);

// Qt's Wayland platform plugin is installed where Qt looks for plugins ($QT_PLUGIN_PATH, then Qt's
// own plugin folder).
bool qtWaylandPluginInstalled();

} // namespace zendra::linux_display
