#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace zendra::Hotkeys {

// Zendra's own key event: what a recorder or a shortcut needs of a keyboard event, independent of the
// toolkit. Types use the event-type numbers of the platform-neutral model.
struct KeyEvent {
    enum class Type : int { leftMouseUp = 2, rightMouseUp = 4, keyDown = 10, keyUp = 11, flagsChanged = 12 };

    Type type = Type::keyDown;
    std::int64_t keyCode = 0;        // virtual key code (the values of `Key`)
    std::uint64_t modifierFlags = 0; // `ModifierFlag` bits

    // The event for a Qt key press or release. The key code comes from the native scan code when the
    // platform reports one (X key codes, positionally), else from the Qt key on a U.S. layout; nothing
    // when neither identifies a key.
    static std::optional<KeyEvent> fromQt(const QKeyEvent& event);
};

} // namespace zendra::Hotkeys
