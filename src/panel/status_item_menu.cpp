#include "panel/status_item_menu.h"

#include "hotkeys/key_equivalent_qt.h"
#include "hotkeys/menu_item_shortcut.h"
#include "panel/status_item_content.h"
#include "settings/shortcut_names.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace zendra {

namespace {

StatusItemMenuEntry entry(const QString& title, bool enabled, const std::function<void()>& action) {
    auto item = std::make_shared<MenuItem>(title, action);
    item->enabled = enabled;
    return {std::move(item), {}, std::nullopt};
}

StatusItemMenuEntry separator() {
    return {};
}

int lastMenuGroup() {
    int last = 0;
    for (const UserActionEntry& action : userActions()) {
        if (action.menuTitle) {
            last = action.menuGroup;
        }
    }
    return last;
}

bool isEnabled(MenuEnabled when, const StatusItemMenuState& state) {
    switch (when) {
    case MenuEnabled::always:
        return true;
    case MenuEnabled::whenTextIsVisible:
        return hasVisibleText(state.text);
    case MenuEnabled::whenClipboardHasText:
        return state.clipboardHasText;
    }
    return true;
}

} // namespace

std::vector<StatusItemMenuEntry> buildStatusItemMenu(const StatusItemMenuState& state,
                                                     const StatusItemMenuActions& actions) {
    std::vector<StatusItemMenuEntry> entries;
    std::optional<int> group;
    for (const UserActionEntry& action : userActions()) {
        if (!action.menuTitle) {
            continue;
        }
        if (group && *group != action.menuGroup) {
            entries.push_back(separator());
        }
        // The support kit's debug entry comes in a group of its own before the last one (Quit).
        if (group && action.menuGroup == lastMenuGroup() && state.debugMode) {
            entries.push_back(entry(QCoreApplication::translate("zendra::StatusItemMenu", "Debug"), true,
                                    actions.showDebugWindow));
            entries.push_back(separator());
        }
        group = action.menuGroup;
        entries.push_back(entry(translatedMenuTitle(action), isEnabled(action.menuEnabled, state),
                                [perform = actions.perform, which = action.action] {
                                    if (perform) {
                                        perform(which);
                                    }
                                }));
        entries.back().toolTip = translatedMenuToolTip(action);
        if (action.menuKey) {
            entries.back().fixedShortcut = QKeySequence::fromString(QLatin1String(action.menuKey));
        }
        if (const Hotkeys::Name* shortcut = Settings::shortcutName(action.action)) {
            Hotkeys::setShortcut(entries.back().item, *shortcut);
        }
    }
    return entries;
}

std::unique_ptr<QMenu> makeQMenu(std::vector<StatusItemMenuEntry> entries) {
    auto menu = std::make_unique<QMenu>();
    for (auto& row : entries) {
        if (row.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        std::shared_ptr<MenuItem> item = row.item;
        QAction* action = menu->addAction(item->title);
        action->setEnabled(item->enabled);
        if (!row.toolTip.isEmpty()) {
            action->setToolTip(row.toolTip);
        }
        // The menu shows the shortcuts only; the global hot keys themselves act on their own, so the
        // sequence must not turn into a second, window-level shortcut.
        action->setShortcutContext(Qt::WidgetShortcut);
        const auto showKeyEquivalent = [action, fixed = row.fixedShortcut, weak = std::weak_ptr(item)] {
            if (fixed) {
                action->setShortcut(*fixed);
            } else if (const auto current = weak.lock()) {
                action->setShortcut(Hotkeys::keySequence(current->keyEquivalent));
            }
        };
        showKeyEquivalent();
        // The subscription lives in the item, which the action keeps alive; it ends with the menu.
        auto subscription =
            item->changed.publisher().sink([showKeyEquivalent](Signal) { showKeyEquivalent(); });
        QObject::connect(action, &QAction::triggered, action,
                         [item, subscription = std::make_shared<Cancellable>(std::move(subscription))] {
                             if (item->action) {
                                 item->action();
                             }
                         });
    }
    menu->setToolTipsVisible(true);
    return menu;
}

} // namespace zendra
