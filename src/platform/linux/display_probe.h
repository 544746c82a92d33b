#pragma once

// What a starting process can find of a graphical session, checked before Qt connects: Qt ends the
// process when its platform plugin is missing or finds no display.

namespace zendra::linux_display {

// A Wayland compositor accepts connections on $WAYLAND_DISPLAY (a socket name in $XDG_RUNTIME_DIR, or
// an absolute path). False when the variable is unset.
bool waylandDisplayReachable();

// Qt's Wayland platform plugin is installed where Qt looks for plugins ($QT_PLUGIN_PATH, then Qt's
// own plugin folder).
bool qtWaylandPluginInstalled();

} // namespace zendra::linux_display
