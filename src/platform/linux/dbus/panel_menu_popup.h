#pragma once

// Showing Zendra's menu for the panel. On X11 a menu pops up wherever it is asked to. On Wayland a
// popup needs a window of the application as its parent, and an input event on it; without them Qt
// makes the menu an ordinary window, which a tiling compositor (sway) stretches over the screen.

#include <QPoint>

class QMenu;
class QWidget;

namespace zendra {

// Shows `menu` at `point` (global coordinates). On Wayland, with a visible `parent` the menu is that
// window's popup; without one (the panel asked over D-Bus) it shows as a small frameless window of
// fixed size, which compositors float, and closes once it loses the focus.
void popUpPanelMenu(QMenu& menu, QPoint point, QWidget* parent = nullptr);

} // namespace zendra
