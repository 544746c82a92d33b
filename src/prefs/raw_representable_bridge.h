#pragma once

#include "prefs/raw_representable.h"
#include "prefs/top_level_codable_bridge.h"

#include <optional>

namespace zendra::Prefs {

// Stores the raw value itself; a raw value without a matching case reads as nothing.
template <RawRepresentable T> struct RawRepresentableBridge {
    using Value = T;
    using Stored = RawValueOf<T>;

    static std::optional<Stored> serialize(const std::optional<T>& value) {
        if (!value) {
            return std::nullopt;
        }
        return rawValue(*value);
    }

    static std::optional<T> deserialize(const std::optional<Stored>& raw) {
        if (!raw) {
            return std::nullopt;
        }
        return RawRepresentation<T>::fromRaw(*raw);
    }
};

// A raw-valued type that is also JSON-encodable: stored as its JSON text.
template <class T> struct RawRepresentableCodableBridge : TopLevelCodableBridge<T> {};

} // namespace zendra::Prefs
