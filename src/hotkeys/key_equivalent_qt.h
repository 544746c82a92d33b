#pragma once

#include "base/menu_item.h"
#include "hotkeys/shortcut.h"

#include <QKeySequence>
#include <QString>

namespace zendra::Hotkeys {

// A menu item's key equivalent as a Qt key sequence, for showing it in a QMenu: the private-use
// function-key characters become F1 to F20, the symbols of named keys (↩, ⎋, arrows) their keys,
// letters their keys, modifiers Qt's (Command is Meta). Empty for an empty key equivalent.
QKeySequence keySequence(const zendra::KeyEquivalent& equivalent);

// A shortcut as a Qt key sequence: named keys by their Qt keys, other keys by the character the
// current keyboard layout types with them. Empty when the key has neither.
QKeySequence keySequence(const Shortcut& shortcut);

// What the user reads for `shortcut`: Qt's native text of its key sequence in the user's language
// ("Ctrl+Alt+K"); `Shortcut::description` for a key Qt cannot name.
QString nativeText(const Shortcut& shortcut);

} // namespace zendra::Hotkeys
