#pragma once

// The application's main menu as far as shortcut conflicts go: item titles, key equivalents and
// submenus, and the search for an item whose key equivalent is a given shortcut.

#include "hotkeys/shortcut.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zendra::Hotkeys {

struct MenuEntry {
    QString title;
    QString keyEquivalent;                       // one character; an upper-case letter stands for Shift
    std::uint64_t keyEquivalentModifierMask = 0; // `ModifierFlag` bits
    std::vector<MenuEntry> submenu;
};

using Menu = std::vector<MenuEntry>;

// The application's main menu, read afresh at every check.
class MainMenu {
public:
    virtual ~MainMenu() = default;
    // Nothing when the application has no main menu (as on Linux desktops).
    virtual std::optional<Menu> menu() = 0;
};

// The first item, depth first, whose key equivalent and mask are exactly `shortcut`: the key's
// character in the current layout equals the key equivalent and the shortcut's modifiers equal the mask.
// An upper-case key equivalent matches a shortcut with Shift as its lower-case form with Shift added.
const MenuEntry* matchingMenuItem(const Menu& menu, const Shortcut& shortcut);

} // namespace zendra::Hotkeys
