#pragma once

// The panel item as the application uses it: the item's view over whichever backend shows it.

#include "panel/status_item_click.h"
#include "panel/status_item_menu.h"

#include <QRect>
#include <functional>
#include <optional>
#include <vector>

class QMenu;

namespace zendra {

// The panel item as the central state uses it: the item's view with its backend. It reports clicks and
// the toggle shortcut through the callbacks it was made with and shows menus at the item.
class StatusItem {
public:
    virtual ~StatusItem() = default;
    // Pops the menu up at the item and returns at once; false when it cannot be shown there.
    virtual bool popUpMenu(QMenu& menu) = 0;
    // Whether the user can see the item now: its window is on a screen, or a panel host shows it.
    // The visibility check warns when this stays false after launch.
    virtual bool isOnScreen() const = 0;
    // Whether a panel host has yet to answer if it shows the item; the visibility check waits for it.
    virtual bool isAwaitingHost() const { return false; }
    // The item's frame in global logical coordinates, for pointing at it; none while that is not known.
    virtual std::optional<QRect> anchorRect() const { return std::nullopt; }
};

struct StatusItemCallbacks {
    std::function<void(StatusItemMouseEvent, StatusItemClickModifiers)> clicked;
    std::function<void(UserAction)> shortcutReleased; // an action's global shortcut was released
    // The menu as it would open now, for panels that draw the menu themselves.
    std::function<std::vector<StatusItemMenuEntry>()> buildMenu;
};

} // namespace zendra
