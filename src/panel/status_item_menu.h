#pragma once

// The panel item's menu, built afresh every time it opens: the enabled states are those of that moment.

#include "actions/user_actions.h"
#include "base/menu_item.h"

#include <QKeySequence>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QObject;

namespace zendra {

// One row: an item, or a separator when `item` is empty.
struct StatusItemMenuEntry {
    std::shared_ptr<MenuItem> item;
    QString toolTip;
    // A key equivalent that is not a global shortcut, shown as Qt shows it (Quit's Ctrl+Q).
    std::optional<QKeySequence> fixedShortcut;

    bool isSeparator() const { return !item; }
};

// What the menu shows at the moment it opens.
struct StatusItemMenuState {
    QString text;
    bool clipboardHasText = false;
    bool debugMode = false;
};

struct StatusItemMenuActions {
    std::function<void(UserAction)> perform;
    std::function<void()> showDebugWindow;
};

// The actions that have a menu entry, in their table's order and groups with a separator between
// groups: "Toggle Editor", separator, "Clear Text", "Copy Text", "Paste Text", separator, ["Debug",
// separator,] "Quit Zendra". The entries of actions with a global shortcut show the shortcut currently
// assigned and follow changes of it while they live.
std::vector<StatusItemMenuEntry> buildStatusItemMenu(const StatusItemMenuState& state,
                                                     const StatusItemMenuActions& actions);

// A QMenu showing `entries`: each action keeps its entry alive and follows its key equivalent.
// Triggering an action runs the entry's callback.
std::unique_ptr<QMenu> makeQMenu(std::vector<StatusItemMenuEntry> entries);

} // namespace zendra
