#include "hotkeys/shortcut.h"

namespace zendra::Hotkeys {

std::optional<Shortcut> Shortcut::fromEvent(const KeyEvent& event) {
    if (event.type != KeyEvent::Type::keyDown && event.type != KeyEvent::Type::keyUp) {
        return std::nullopt;
    }
    return Shortcut(Key(event.keyCode), event.modifierFlags);
}

} // namespace zendra::Hotkeys
