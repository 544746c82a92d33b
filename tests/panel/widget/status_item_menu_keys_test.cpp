// The item's menu as Qt draws it: the keys of the global shortcuts in Qt's own words.
#include "hotkeys/hotkeys.h"
#include "hotkeys/keyboard_layout.h"
#include "panel/status_item_menu.h"
#include "settings/shortcut_names.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

class KLayout final : public Hotkeys::KeyboardLayout {
public:
    std::optional<QString> displayText(std::uint16_t keyCode) override {
        return keyCode == Hotkeys::Key::k.rawValue ? std::optional(QString("k")) : std::nullopt;
    }
};

QString shownKeys(const QMenu& menu, const QString& title) {
    for (const QAction* action : menu.actions()) {
        if (action->text() == title) {
            return action->shortcut().toString(QKeySequence::NativeText);
        }
    }
    return QStringLiteral("<no entry>");
}

TEST(StatusItemMenuKeysTest, EntriesShowTheirShortcutsAsCtrlAltK) {
    using namespace Hotkeys::ModifierFlag;
    Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), nullptr, std::make_shared<KLayout>(), nullptr});
    Hotkeys::setShortcut(Hotkeys::Shortcut(Hotkeys::Key::k, control | option),
                         *Settings::shortcutName(UserAction::toggleEditor));
    Hotkeys::setShortcut(Hotkeys::Shortcut(Hotkeys::Key::return_, option),
                         *Settings::shortcutName(UserAction::clearText));
    Hotkeys::setShortcut(Hotkeys::Shortcut(Hotkeys::Key::f5, command),
                         *Settings::shortcutName(UserAction::pasteText));

    const auto menu = makeQMenu(buildStatusItemMenu({"x", true, false}, {}));
    EXPECT_EQ(shownKeys(*menu, "Toggle Editor"), "Ctrl+Alt+K");
    EXPECT_EQ(shownKeys(*menu, "Clear Text"), "Alt+Return") << "a named key by its name, not its symbol";
    EXPECT_EQ(shownKeys(*menu, "Paste Text"), "Meta+F5");
    EXPECT_EQ(shownKeys(*menu, "Quit Zendra"), "Ctrl+Q");

    Hotkeys::setShortcut(std::nullopt, *Settings::shortcutName(UserAction::toggleEditor));
    EXPECT_EQ(shownKeys(*menu, "Toggle Editor"), "") << "follows the assignment while open";
    Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
}

} // namespace
