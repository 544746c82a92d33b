#include "actions/user_actions.h"

#include "base/identity.h"

#include <QCoreApplication>
#include <array>

namespace zendra {

namespace {

constexpr char settingsContext[] = "zendra::Settings";
constexpr char desktopShortcutsContext[] = "zendra::DesktopShortcuts";
constexpr char menuContext[] = "zendra::StatusItemMenu";

// clang-format off
constexpr std::array<UserActionEntry, 7> table{{
    {.action = UserAction::toggleEditor,
     .shortcutName = "toggleEditWindow",
     .shortcutLabel = QT_TRANSLATE_NOOP("zendra::Settings", "Toggle edit window:"),
     .shortcutDescription = QT_TRANSLATE_NOOP("zendra::DesktopShortcuts", "Show or hide Zendra's editor"),
     .menuTitle = QT_TRANSLATE_NOOP("zendra::StatusItemMenu", "Toggle Editor"),
     .menuGroup = 0,
     .busMethod = "ToggleEditor",
     .commandWord = "toggle-editor"},
    {.action = UserAction::clearText,
     .shortcutName = "clearText",
     .shortcutLabel = QT_TRANSLATE_NOOP("zendra::Settings", "Clear text:"),
     .shortcutDescription = QT_TRANSLATE_NOOP("zendra::DesktopShortcuts", "Clear Zendra's text"),
     .menuTitle = QT_TRANSLATE_NOOP("zendra::StatusItemMenu", "Clear Text"),
     .menuGroup = 1,
     .menuEnabled = MenuEnabled::whenTextIsVisible,
     .busMethod = "Clear",
     .commandWord = "clear",
     .withoutApplication = WithoutApplication::writesPreferences},
    {.action = UserAction::copyText,
     .menuTitle = QT_TRANSLATE_NOOP("zendra::StatusItemMenu", "Copy Text"),
     .menuGroup = 1,
     .menuEnabled = MenuEnabled::whenTextIsVisible},
    {.action = UserAction::pasteText,
     .shortcutName = "setTextFromClipboard",
     .shortcutLabel = QT_TRANSLATE_NOOP("zendra::Settings", "Set text from clipboard:"),
     .shortcutDescription =
         QT_TRANSLATE_NOOP("zendra::DesktopShortcuts", "Set Zendra's text from the clipboard"),
     .menuTitle = QT_TRANSLATE_NOOP("zendra::StatusItemMenu", "Paste Text"),
     .menuToolTip = QT_TRANSLATE_NOOP("zendra::StatusItemMenu", "Paste text from the clipboard into Zendra."),
     .menuGroup = 1,
     .menuEnabled = MenuEnabled::whenClipboardHasText,
     .busMethod = "Paste",
     .commandWord = "paste"},
    // The text itself comes with the request: SetText runs the set-text intent, and `set-text` reads
    // its argument or standard input.
    {.action = UserAction::setText,
     .busMethod = "SetText",
     .commandWord = "set-text",
     .withoutApplication = WithoutApplication::writesPreferences},
    {.action = UserAction::openSettings,
     .busMethod = "OpenSettings",
     .commandWord = "settings",
     .withoutApplication = WithoutApplication::startsApplication},
    {.action = UserAction::quit,
     //: %1 is the application's name.
     .menuTitle = QT_TRANSLATE_NOOP("zendra::StatusItemMenu", "Quit %1"),
     .menuGroup = 2,
     .menuKey = "Ctrl+Q",
     .busMethod = "Quit",
     .commandWord = "quit",
     .withoutApplication = WithoutApplication::succeeds},
}};
// clang-format on

QString translated(const char* context, const char* text) {
    return text ? QCoreApplication::translate(context, text) : QString();
}

template <class Matches> const UserActionEntry* find(Matches matches) {
    for (const UserActionEntry& entry : table) {
        if (matches(entry)) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

std::span<const UserActionEntry> userActions() {
    return table;
}

const UserActionEntry& userActionEntry(UserAction action) {
    return *find([action](const UserActionEntry& entry) { return entry.action == action; });
}

const UserActionEntry* userActionForBusMethod(QStringView method) {
    return find([method](const UserActionEntry& entry) {
        return entry.busMethod && method == QLatin1String(entry.busMethod);
    });
}

const UserActionEntry* userActionForCommandWord(QStringView word) {
    return find([word](const UserActionEntry& entry) {
        return entry.commandWord && word == QLatin1String(entry.commandWord);
    });
}

QString translatedShortcutLabel(const UserActionEntry& entry) {
    return translated(settingsContext, entry.shortcutLabel);
}

QString translatedShortcutDescription(const UserActionEntry& entry) {
    return translated(desktopShortcutsContext, entry.shortcutDescription);
}

QString translatedMenuTitle(const UserActionEntry& entry) {
    const QString title = translated(menuContext, entry.menuTitle);
    return title.contains(QLatin1String("%1")) ? title.arg(QString::fromUtf8(identity::applicationName)) : title;
}

QString translatedMenuToolTip(const UserActionEntry& entry) {
    return translated(menuContext, entry.menuToolTip);
}

} // namespace zendra
