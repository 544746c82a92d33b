#pragma once

#include "base/menu_item.h"

#include <QKeySequence>

namespace zendra::Hotkeys {

// A menu item's key equivalent as a Qt key sequence, for showing it in a QMenu: the private-use
// function-key characters become F1 to F20, letters their keys, modifiers Qt's (Command is Meta).
// Empty for an empty key equivalent.
QKeySequence keySequence(const zendra::KeyEquivalent& equivalent);

} // namespace zendra::Hotkeys
