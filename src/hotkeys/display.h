#pragma once

// The text form of shortcuts: modifier symbols, fixed symbols of special keys, ordinary keys through
// the current keyboard layout, and the key equivalent of a menu item.

#include "hotkeys/shortcut.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace zendra::Hotkeys {

// Key code to display text for keys whose text does not depend on the layout (arrows, F1 to F20, ...).
const std::unordered_map<std::int64_t, QString>& keyCodeSymbols();

// Key code to menu key-equivalent character: a space for Space, U+F704 to U+F717 for F1 to F20.
const std::unordered_map<std::int64_t, QString>& functionKeyEquivalents();

// The symbols of the `ModifierFlag` bits present, in the order ⌃ ⌥ ⇧ ⌘ and the globe of Function.
QString describeModifierFlags(std::uint64_t flags);

// The display text of a key without modifiers: a fixed symbol, else the key's character in the current
// layout that can type ASCII; nothing when there is no such layout or the key cannot be translated.
std::optional<QString> characterForKeyCode(std::int64_t keyCode);

// The key equivalent that shows `shortcut` in a menu: one character, or empty when it has none.
QString menuKeyEquivalent(const Shortcut& shortcut);

} // namespace zendra::Hotkeys
