#pragma once

// The user's actions and every way of asking for one: its global shortcut, its entry in the panel
// item's menu, its method on the automation bus and its command word. Shortcuts, the menu, the bus and
// the command line all read this one table; the application runs the action (AppState::perform), so
// a new action is a row here and a case there.

#include <QString>
#include <QStringView>
#include <span>

namespace zendra {

enum class UserAction { toggleEditor, clearText, copyText, pasteText, setText, openSettings, quit };

// When the panel item's menu enables an action's entry.
enum class MenuEnabled { always, whenTextIsVisible, whenClipboardHasText };

// What the command word does while Zendra does not run.
enum class WithoutApplication {
    fails,             // it needs the running instance (its window, its clipboard)
    writesPreferences, // the preferences file takes the change directly
    startsApplication, // Zendra starts and does it
    succeeds,          // there is nothing to do
};

// The texts are English source texts; the functions below translate them.
struct UserActionEntry {
    UserAction action;
    // The global shortcut's stored name, or none when the action has no global shortcut.
    const char* shortcutName = nullptr;
    // The shortcut's label in the settings window and its description for the desktop's own
    // shortcut settings (Wayland).
    const char* shortcutLabel = nullptr;
    const char* shortcutDescription = nullptr;
    // The menu entry's title ("%1" stands for the application's name), or none when it is not in the
    // menu. Entries of one group sit together; a separator parts the groups.
    const char* menuTitle = nullptr;
    const char* menuToolTip = nullptr;
    int menuGroup = 0;
    MenuEnabled menuEnabled = MenuEnabled::always;
    // A key equivalent that is not a global shortcut, in QKeySequence's portable text ("Ctrl+Q").
    const char* menuKey = nullptr;
    // The automation interface's method, or none.
    const char* busMethod = nullptr;
    // The command line's word, or none.
    const char* commandWord = nullptr;
    WithoutApplication withoutApplication = WithoutApplication::fails;
};

// Every action, in the menu's order.
std::span<const UserActionEntry> userActions();
const UserActionEntry& userActionEntry(UserAction action);
// The action with this method, word or shortcut name; nothing for anything else.
const UserActionEntry* userActionForBusMethod(QStringView method);
const UserActionEntry* userActionForCommandWord(QStringView word);

QString translatedShortcutLabel(const UserActionEntry& entry);
QString translatedShortcutDescription(const UserActionEntry& entry);
QString translatedMenuTitle(const UserActionEntry& entry);
QString translatedMenuToolTip(const UserActionEntry& entry);

} // namespace zendra
