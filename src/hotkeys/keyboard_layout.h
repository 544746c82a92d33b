#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace zendra::Hotkeys {

// Translation of key codes through the user's current keyboard layout.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;

    // The text the key types with no modifier, in the current layout that can type ASCII (the first
    // such layout group). Nothing when there is no such layout or the key cannot be translated; an
    // empty string when the key translates to no character. Reflects layout changes at once.
    virtual std::optional<QString> displayText(std::uint16_t keyCode) = 0;
};

} // namespace zendra::Hotkeys
