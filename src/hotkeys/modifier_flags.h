#pragma once

#include <cstdint>

namespace zendra::Hotkeys {

// Modifier flags as key events carry them (one bit per modifier, device-independent part in the high
// half), and the legacy masks a shortcut stores. Only Control, Option, Shift and Command convert
// between the two; every other flag stays on the event.
namespace ModifierFlag {
inline constexpr std::uint64_t capsLock = 0x10000;
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t command = 0x100000;
inline constexpr std::uint64_t numericPad = 0x200000;
inline constexpr std::uint64_t help = 0x400000;
inline constexpr std::uint64_t function = 0x800000;
inline constexpr std::uint64_t deviceIndependentMask = 0xFFFF0000;
} // namespace ModifierFlag

namespace CarbonModifier {
inline constexpr std::int64_t command = 0x100;
inline constexpr std::int64_t shift = 0x200;
inline constexpr std::int64_t capsLock = 0x400; // never kept in a shortcut
inline constexpr std::int64_t option = 0x800;
inline constexpr std::int64_t control = 0x1000;
inline constexpr std::int64_t all = command | shift | option | control;
} // namespace CarbonModifier

constexpr std::int64_t carbonModifiers(std::uint64_t flags) {
    std::int64_t result = 0;
    if (flags & ModifierFlag::control) {
        result |= CarbonModifier::control;
    }
    if (flags & ModifierFlag::option) {
        result |= CarbonModifier::option;
    }
    if (flags & ModifierFlag::shift) {
        result |= CarbonModifier::shift;
    }
    if (flags & ModifierFlag::command) {
        result |= CarbonModifier::command;
    }
    return result;
}

constexpr std::uint64_t modifierFlags(std::int64_t carbon) {
    std::uint64_t result = 0;
    if (carbon & CarbonModifier::control) {
        result |= ModifierFlag::control;
    }
    if (carbon & CarbonModifier::option) {
        result |= ModifierFlag::option;
    }
    if (carbon & CarbonModifier::shift) {
        result |= ModifierFlag::shift;
    }
    if (carbon & CarbonModifier::command) {
        result |= ModifierFlag::command;
    }
    return result;
}

} // namespace zendra::Hotkeys
