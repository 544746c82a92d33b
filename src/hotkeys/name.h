#pragma once

#include "hotkeys/shortcut.h"

#include <QHashFunctions>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>

namespace zendra::Hotkeys {

// The identifier of a user-assignable shortcut. Equality and hashing use the raw value only.
struct Name {
    QString rawValue;
    std::optional<Shortcut> defaultShortcut;

    // With a default: when the store holds nothing at all under the name, the default is set (stored,
    // registered, announced). Any existing value, even the cleared marker, is left alone.
    explicit Name(QString name, std::optional<Shortcut> defaultValue = std::nullopt);

    // No default and no side effect.
    static Name fromRawValue(QString rawValue);

    // The key under which the shortcut is stored: "Hotkeys_" + raw value.
    QString storageKey() const { return QStringLiteral("Hotkeys_") + rawValue; }

    std::optional<Shortcut> shortcut() const;

    bool operator==(const Name& other) const { return rawValue == other.rawValue; }

private:
    struct NoSideEffect {};
    Name(NoSideEffect, QString name) : rawValue(std::move(name)) {}
};

} // namespace zendra::Hotkeys

template <> struct std::hash<zendra::Hotkeys::Name> {
    std::size_t operator()(const zendra::Hotkeys::Name& name) const noexcept { return qHash(name.rawValue); }
};
