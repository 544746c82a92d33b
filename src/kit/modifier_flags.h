#pragma once

#include <cstdint>

namespace zendra::KZApp {

// Keyboard modifiers as the kit reads them at launch. Caps Lock, the numeric-pad flag and the Function
// key are reported but never part of a chord.
using ModifierFlags = std::uint32_t;

namespace Modifier {
inline constexpr ModifierFlags shift = 1u << 0;
inline constexpr ModifierFlags control = 1u << 1;
inline constexpr ModifierFlags option = 1u << 2;
inline constexpr ModifierFlags command = 1u << 3;
inline constexpr ModifierFlags help = 1u << 4;
inline constexpr ModifierFlags capsLock = 1u << 5;
inline constexpr ModifierFlags numericPad = 1u << 6;
inline constexpr ModifierFlags function = 1u << 7;
} // namespace Modifier

// The launch-time chords.
inline constexpr ModifierFlags debugModeChord = Modifier::shift | Modifier::control;
inline constexpr ModifierFlags debugWindowChord = debugModeChord | Modifier::option;
inline constexpr ModifierFlags dataResetChord = debugWindowChord | Modifier::command;

// The part of `held` that counts for a chord.
constexpr ModifierFlags chordModifiers(ModifierFlags held) {
    return held &
           (Modifier::shift | Modifier::control | Modifier::option | Modifier::command | Modifier::help);
}

// Reads the modifier keys held on the keyboard right now (not those of the last event the
// application saw). An implementation that cannot tell reports none.
class KeyboardModifiers {
public:
    virtual ~KeyboardModifiers() = default;
    virtual ModifierFlags held() = 0;
};

} // namespace zendra::KZApp
