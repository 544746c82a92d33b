#include "hotkeys/menu_conflicts.h"

#include "hotkeys/display.h"

namespace zendra::Hotkeys {

namespace {

bool matches(const MenuEntry& item, const QString& character, std::uint64_t modifiers) {
    // An item without a key equivalent has no shortcut, whatever its mask says.
    if (item.keyEquivalent.isEmpty()) {
        return false;
    }
    QString key = item.keyEquivalent;
    std::uint64_t mask = item.keyEquivalentModifierMask;
    if ((modifiers & ModifierFlag::shift) != 0 && key != key.toLower()) {
        key = key.toLower();
        mask |= ModifierFlag::shift;
    }
    return character == key && modifiers == mask;
}

const MenuEntry* search(const Menu& menu, const std::optional<QString>& character, std::uint64_t modifiers) {
    for (const auto& item : menu) {
        if (character && matches(item, *character, modifiers)) {
            return &item;
        }
        if (const auto* found = search(item.submenu, character, modifiers)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

const MenuEntry* matchingMenuItem(const Menu& menu, const Shortcut& shortcut) {
    if (menu.empty()) {
        return nullptr;
    }
    return search(menu, characterForKeyCode(shortcut.carbonKeyCode), shortcut.modifiers());
}

} // namespace zendra::Hotkeys
