#include "settings/shortcut_names.h"

#include <map>

namespace zendra::Settings {

const Hotkeys::Name* shortcutName(UserAction action) {
    static const std::map<UserAction, Hotkeys::Name> names = [] {
        std::map<UserAction, Hotkeys::Name> made;
        for (const UserActionEntry& entry : userActions()) {
            if (entry.shortcutName) {
                made.emplace(entry.action, Hotkeys::Name(QString::fromLatin1(entry.shortcutName)));
            }
        }
        return made;
    }();
    const auto found = names.find(action);
    return found == names.end() ? nullptr : &found->second;
}

std::vector<UserAction> actionsWithShortcuts() {
    std::vector<UserAction> actions;
    for (const UserActionEntry& entry : userActions()) {
        if (entry.shortcutName) {
            actions.push_back(entry.action);
        }
    }
    return actions;
}

} // namespace zendra::Settings
