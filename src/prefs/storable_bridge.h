#pragma once

// What every bridge builds on: the Storable concept, the bridge a type is stored through, and the
// serialize/deserialize steps of key reads and writes. Which bridge a type gets is decided in
// serializable.h; the bridges only refer to it through BridgeOf, so they can be declared first.
//
// A bridge is a stateless struct:
//   using Value = ...;   the typed value it converts
//   using Stored = ...;  what it produces: a natively supported type, StoredArray, StoredDictionary
//                        or StoredObject
//   static std::optional<Stored> serialize(const std::optional<Value>&);
//   static std::optional<Value> deserialize(const std::optional<Stored>&);
// An empty input gives an empty output.

#include "prefs/native.h"
#include "prefs/stored_object.h"

#include <concepts>
#include <optional>

namespace zendra::Prefs {

template <class T> struct Serializable;

template <class T>
concept Storable = Serializable<T>::isStorable;

template <Storable T> using BridgeOf = typename Serializable<T>::Bridge;

// A value as its bridge's value type: optionals unwrap (an empty one gives nothing).
template <Storable T> std::optional<typename BridgeOf<T>::Value> toBridgeValue(const T& value) {
    using BridgeValue = typename BridgeOf<T>::Value;
    if constexpr (std::same_as<T, BridgeValue>) {
        return value;
    } else if constexpr (IsOptional<T>::value) {
        if (!value) {
            return std::nullopt;
        }
        return toBridgeValue(*value);
    } else {
        return BridgeValue(value);
    }
}

template <Storable T> std::optional<T> fromBridgeValue(std::optional<typename BridgeOf<T>::Value> value) {
    if (!value) {
        return std::nullopt;
    }
    return T(std::move(*value));
}

// Value to stored object; nothing when the bridge cannot store it.
template <Storable T> OptionalStoredObject serialize(const T& value) {
    if constexpr (Serializable<T>::isNativelySupportedType) {
        if constexpr (IsOptional<T>::value) {
            if (!value) {
                return std::nullopt;
            }
        }
        return nativeToStored(value);
    } else {
        auto stored = BridgeOf<T>::serialize(toBridgeValue(value));
        if (!stored) {
            return std::nullopt;
        }
        return toStoredObject(*stored);
    }
}

// Stored object to value; nothing when it does not convert. A natively supported type that does not
// convert directly is tried through its bridge, so a number key also reads the JSON text of a number.
template <Storable T> std::optional<T> deserialize(const OptionalStoredObject& object) {
    if (!object) {
        return std::nullopt;
    }
    if constexpr (Serializable<T>::isNativelySupportedType) {
        if (auto direct = nativeFromStored<T>(*object)) {
            return direct;
        }
    }
    using Bridge = BridgeOf<T>;
    return fromBridgeValue<T>(Bridge::deserialize(storedAs<typename Bridge::Stored>(*object)));
}

} // namespace zendra::Prefs
