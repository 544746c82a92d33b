#include "panel/status_item_menu.h"

#include "base/identity.h"
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

} // namespace

std::vector<StatusItemMenuEntry> buildStatusItemMenu(const StatusItemMenuState& state,
                                                     const StatusItemMenuActions& actions) {
    const bool visibleText = hasVisibleText(state.text);
    std::vector<StatusItemMenuEntry> entries;

    entries.push_back(entry(QCoreApplication::translate("zendra::StatusItemMenu", "Toggle Editor"), true,
                            actions.toggleEditor));
    Hotkeys::setShortcut(entries.back().item, Settings::toggleEditWindow());
    entries.push_back(separator());

    entries.push_back(entry(QCoreApplication::translate("zendra::StatusItemMenu", "Clear Text"), visibleText,
                            actions.clearText));
    Hotkeys::setShortcut(entries.back().item, Settings::clearText());
    entries.push_back(entry(QCoreApplication::translate("zendra::StatusItemMenu", "Copy Text"), visibleText,
                            actions.copyText));
    entries.push_back(entry(QCoreApplication::translate("zendra::StatusItemMenu", "Paste Text"),
                            state.clipboardHasText, actions.pasteText));
    entries.back().toolTip =
        QCoreApplication::translate("zendra::StatusItemMenu", "Paste text from the clipboard into Zendra.");
    Hotkeys::setShortcut(entries.back().item, Settings::setTextFromClipboard());
    entries.push_back(separator());

    if (state.debugMode) {
        entries.push_back(entry(QCoreApplication::translate("zendra::StatusItemMenu", "Debug"), true,
                                actions.showDebugWindow));
        entries.push_back(separator());
    }

    //: %1 is the application's name.
    const QString quit = QCoreApplication::translate("zendra::StatusItemMenu", "Quit %1")
                             .arg(QString::fromUtf8(identity::applicationName));
    entries.push_back(entry(quit, true, actions.quit));
    entries.back().fixedShortcut = QKeySequence(Qt::CTRL | Qt::Key_Q);
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
