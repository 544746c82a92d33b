#pragma once

// Which bridge stores a type, and the serialize/deserialize steps every key read and write uses.
//
// A type is storable when bridgeFor<T> finds a bridge. A bridge is a stateless struct:
//   using Value = ...;   the typed value it converts
//   using Stored = ...;  what it produces: QString, QByteArray, QDateTime, a number type,
//                        StoredArray, StoredDictionary or StoredObject
//   static std::optional<Stored> serialize(const std::optional<Value>&);
//   static std::optional<Value> deserialize(const std::optional<Stored>&);

#include "prefs/native.h"
#include "prefs/stored_object.h"
#include "prefs/top_level_codable_bridge.h"

#include <optional>
#include <type_traits>

namespace Prefs {

// Applies the wrapped type's bridge to the wrapped value.
template <class Bridge> struct OptionalBridge {
    using Value = typename Bridge::Value;
    using Stored = typename Bridge::Stored;
    static std::optional<Stored> serialize(const std::optional<Value>& value) { return Bridge::serialize(value); }
    static std::optional<Value> deserialize(const std::optional<Stored>& object) {
        return Bridge::deserialize(object);
    }
};

struct NoBridge {};

namespace detail {

template <class T> struct BridgeSelection;

// The first rule that applies, top to bottom.
template <class T> constexpr auto selectBridge() {
    if constexpr (NativeScalar<T>) {
        return std::type_identity<TopLevelCodableBridge<T>>{};
    } else if constexpr (IsOptional<T>::value) {
        using Wrapped = decltype(selectBridge<typename IsOptional<T>::Wrapped>());
        if constexpr (std::same_as<Wrapped, NoBridge>) {
            return NoBridge{};
        } else {
            return std::type_identity<OptionalBridge<typename Wrapped::type>>{};
        }
    } else if constexpr (JsonEncodable<T>) {
        return std::type_identity<TopLevelCodableBridge<T>>{};
    } else {
        return NoBridge{};
    }
}

} // namespace detail

template <class T> struct Serializable {
    using Selection = decltype(detail::selectBridge<T>());
    static constexpr bool isStorable = !std::same_as<Selection, NoBridge>;
    static constexpr bool isNativelySupportedType = isNativelySupported<T>();
};

template <class T>
concept Storable = Serializable<T>::isStorable;

template <Storable T> using BridgeOf = typename Serializable<T>::Selection::type;

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
        using Bridge = BridgeOf<T>;
        auto stored = Bridge::serialize(toBridgeValue(value));
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

} // namespace Prefs
