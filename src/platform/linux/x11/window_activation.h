#pragma once

class QWidget;

namespace zendra::x11 {

// Shows `window`, raises it and gives it the keyboard focus as the answer to a user's request. On X11
// Qt's own request carries the time of the last input Zendra itself received, which a window manager
// that prevents focus stealing refuses when the user clicked another client (a panel, a launcher):
// once the window is on screen, this asks again with _NET_ACTIVE_WINDOW as a user's request with the
// server's current time, and stamps that time as the window's _NET_WM_USER_TIME. Elsewhere it is
// Qt's show, raise and activate alone.
void activateWindow(QWidget& window);

} // namespace zendra::x11
