#pragma once

#include "hotkeys/shortcut.h"
#include "prefs/stored_object.h"

#include <QString>
#include <optional>

namespace zendra::Hotkeys {

// The stored form of a set shortcut: compact JSON with "carbonKeyCode" first and "carbonModifiers"
// second, for example {"carbonKeyCode":49,"carbonModifiers":2048}.
QString encodeShortcut(const Shortcut& shortcut);

// The shortcut a stored object holds. Only a string can: its text must be a JSON object whose two
// members are integers (other members are ignored, order does not matter). Anything else, the cleared
// marker false included, is no shortcut. The integers are kept as stored.
std::optional<Shortcut> decodeShortcut(const Prefs::OptionalStoredObject& object);

} // namespace zendra::Hotkeys
