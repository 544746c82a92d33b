#pragma once

#include <cstdint>
#include <optional>

namespace zendra::Hotkeys {

// Positional translation between virtual key codes and the native key codes of Linux keyboards (evdev
// code + 8, which are also the X key codes and the scan codes Qt reports there). Keys sit where they
// sit on a U.S. keyboard: Command is the left Super key, Option the left Alt key, Help the Insert key,
// keypad Clear the Num Lock key. The Fn key has no native code (its evdev code is beyond the X range).
std::optional<std::uint8_t> nativeKeyCode(std::int64_t virtualKeyCode);
std::optional<std::int64_t> virtualKeyCode(std::uint32_t nativeKeyCode);

} // namespace zendra::Hotkeys
