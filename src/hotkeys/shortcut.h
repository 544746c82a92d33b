#pragma once

#include "hotkeys/key.h"
#include "hotkeys/key_event.h"
#include "hotkeys/modifier_flags.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace zendra::Hotkeys {

struct Name;

// A key combination: a virtual key code and the legacy modifier masks (`CarbonModifier`).
struct Shortcut {
    std::int64_t carbonKeyCode = 0;
    std::int64_t carbonModifiers = 0;

    constexpr Shortcut() = default;
    // Keeps only the Command, Shift, Option and Control bits of `modifiers`.
    constexpr explicit Shortcut(std::int64_t keyCode, std::int64_t modifiers = 0)
        : carbonKeyCode(keyCode), carbonModifiers(modifiers & CarbonModifier::all) {}
    // `flags` are `ModifierFlag` bits; flags other than the four modifiers are ignored.
    constexpr Shortcut(Key key, std::uint64_t flags)
        : carbonKeyCode(key.rawValue), carbonModifiers(Hotkeys::carbonModifiers(flags)) {}

    // Both integers exactly as given, as when read back from storage.
    static constexpr Shortcut unmasked(std::int64_t keyCode, std::int64_t modifiers) {
        Shortcut shortcut;
        shortcut.carbonKeyCode = keyCode;
        shortcut.carbonModifiers = modifiers;
        return shortcut;
    }

    // Only key-down and key-up events give a shortcut.
    static std::optional<Shortcut> fromEvent(const KeyEvent& event);
    // The shortcut stored for `name`.
    static std::optional<Shortcut> forName(const Name& name);

    constexpr Key key() const { return Key(carbonKeyCode); }
    constexpr std::uint64_t modifiers() const { return modifierFlags(carbonModifiers); }

    // The display text, for example ⌥⌘K, in the current keyboard layout.
    QString description() const;

    constexpr bool operator==(const Shortcut&) const = default;
};

} // namespace zendra::Hotkeys

template <> struct std::hash<zendra::Hotkeys::Shortcut> {
    std::size_t operator()(const zendra::Hotkeys::Shortcut& shortcut) const noexcept {
        std::size_t seed = std::hash<std::int64_t>{}(shortcut.carbonKeyCode);
        seed ^= std::hash<std::int64_t>{}(shortcut.carbonModifiers) + 0x9e3779b97f4a7c15ULL + (seed << 6) +
                (seed >> 2);
        return seed;
    }
};
