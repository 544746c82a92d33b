#include "hotkeys/environment.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/key.h"
#include "hotkeys/modifier_flags.h"
#include "panel/status_item_menu.h"
#include "settings/shortcut_names.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using zendra::StatusItemMenuEntry;
using zendra::StatusItemMenuState;

QStringList titles(const std::vector<StatusItemMenuEntry>& entries) {
    QStringList result;
    for (const auto& entry : entries) {
        result << (entry.isSeparator() ? QStringLiteral("---") : entry.item->title);
    }
    return result;
}

const StatusItemMenuEntry& find(const std::vector<StatusItemMenuEntry>& entries, const QString& title) {
    for (const auto& entry : entries) {
        if (!entry.isSeparator() && entry.item->title == title) {
            return entry;
        }
    }
    throw std::runtime_error("no entry " + title.toStdString());
}

std::vector<StatusItemMenuEntry> build(const StatusItemMenuState& state) {
    return zendra::buildStatusItemMenu(state, {});
}

TEST(StatusItemMenuTest, EntriesInOrderRunTheirActionsWithDebugOnlyInDebugMode) {
    std::vector<UserAction> ran;
    int debugWindows = 0;
    zendra::StatusItemMenuActions actions;
    actions.perform = [&](UserAction action) { ran.push_back(action); };
    actions.showDebugWindow = [&] { ++debugWindows; };
    const auto debug = zendra::buildStatusItemMenu({"x", true, true}, actions);
    EXPECT_EQ(titles(debug), QStringList({"Toggle Editor", "---", "Clear Text", "Copy Text", "Paste Text",
                                          "---", "Debug", "---", "Quit Zendra"}));
    for (const auto& entry : debug) {
        if (!entry.isSeparator()) {
            entry.item->action();
        }
    }
    EXPECT_EQ(ran, (std::vector{UserAction::toggleEditor, UserAction::clearText, UserAction::copyText,
                                UserAction::pasteText, UserAction::quit}));
    EXPECT_EQ(debugWindows, 1);
    EXPECT_FALSE(titles(build({"task", true, false})).contains("Debug"));

    const auto& quit = find(debug, "Quit Zendra");
    ASSERT_TRUE(quit.fixedShortcut);
    EXPECT_EQ(quit.fixedShortcut->toString(QKeySequence::PortableText), QString("Ctrl+Q"));
}

TEST(StatusItemMenuTest, EnabledStatesFollowTheTextAndTheClipboardAtBuildTime) {
    const auto enabled = [](const std::vector<StatusItemMenuEntry>& entries, const char* title) {
        return find(entries, title).item->enabled;
    };
    const auto withText = build({"Write the report", false, false});
    for (const char* title : {"Toggle Editor", "Clear Text", "Copy Text", "Quit Zendra"}) {
        EXPECT_TRUE(enabled(withText, title)) << title;
    }
    EXPECT_FALSE(enabled(withText, "Paste Text")) << "no text on the clipboard";

    for (const QString& invisible : {QString(), QString(" \t\n ")}) {
        const auto entries = build({invisible, true, false});
        EXPECT_FALSE(enabled(entries, "Clear Text")) << invisible.toStdString();
        EXPECT_FALSE(enabled(entries, "Copy Text")) << invisible.toStdString();
        EXPECT_TRUE(enabled(entries, "Paste Text"));
    }
}

// Letters type themselves; no hot key is registered (there is no event manager).
class LetterLayout final : public Hotkeys::KeyboardLayout {
public:
    std::optional<QString> displayText(std::uint16_t keyCode) override {
        if (keyCode == Hotkeys::Key::t.rawValue) {
            return QString("t");
        }
        if (keyCode == Hotkeys::Key::k.rawValue) {
            return QString("k");
        }
        return std::nullopt;
    }
};

TEST(StatusItemMenuTest, ShortcutEntriesShowAndFollowTheAssignedShortcut) {
    Hotkeys::setEnvironment(
        {Prefs::Suite::makeInMemory(), nullptr, std::make_shared<LetterLayout>(), nullptr});
    const Hotkeys::Shortcut shortcut(Hotkeys::Key::t,
                                     Hotkeys::ModifierFlag::command | Hotkeys::ModifierFlag::shift);
    Hotkeys::setShortcut(shortcut, *Settings::shortcutName(UserAction::toggleEditor));
    Hotkeys::setShortcut(std::nullopt, *Settings::shortcutName(UserAction::clearText));

    const auto entries = build({"x", true, false});
    const auto& toggle = *find(entries, "Toggle Editor").item;
    EXPECT_EQ(toggle.keyEquivalent.key, QString("t"));
    EXPECT_EQ(toggle.keyEquivalent.modifierFlags,
              Hotkeys::ModifierFlag::command | Hotkeys::ModifierFlag::shift);
    EXPECT_TRUE(find(entries, "Clear Text").item->keyEquivalent.isEmpty()) << "nothing assigned";
    EXPECT_TRUE(find(entries, "Copy Text").item->keyEquivalent.isEmpty()) << "no shortcut name";

    // While the menu is open, a change of the assignment reaches its entry.
    Hotkeys::setShortcut(Hotkeys::Shortcut(Hotkeys::Key::k, Hotkeys::ModifierFlag::control),
                         *Settings::shortcutName(UserAction::clearText));
    EXPECT_EQ(find(entries, "Clear Text").item->keyEquivalent.key, QString("k"));
    Hotkeys::setShortcut(std::nullopt, *Settings::shortcutName(UserAction::toggleEditor));
    EXPECT_TRUE(toggle.keyEquivalent.isEmpty());
    Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
}

} // namespace
