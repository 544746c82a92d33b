#pragma once

// Which bridge stores a type. The first rule that applies, top to bottom:
//
//   natively supported scalar (data, date, bool, integers, floating point, string)  TopLevelCodableBridge
//   std::optional of a storable type                                                OptionalBridge
//   std::vector of a storable element                                               ArrayBridge
//   std::map / std::unordered_map, string-convertible key, storable value           DictionaryBridge
//   std::set / std::unordered_set / QSet of a storable element                      SetBridge
//   QUrl                                                                            URLBridge
//   QUuid                                                                           UUIDBridge
//   QColor                                                                          ColorBridge
//   ColorObject                                                                     SecureCodingBridge
//   AnySerializable                                                                 AnyBridge
//   CollectionSerializable                                                          CollectionBridge
//   SetAlgebraSerializable                                                          SetAlgebraBridge
//   raw-valued, JSON-encodable and PreferRawRepresentable                           RawRepresentableBridge
//   raw-valued and JSON-encodable                                          RawRepresentableCodableBridge
//   raw-valued                                                                      RawRepresentableBridge
//   securely archivable, JSON-encodable and PreferSecureCoding                      SecureCodingBridge
//   securely archivable and JSON-encodable                                     CodableSecureCodingBridge
//   securely archivable                                                             SecureCodingBridge
//   JSON-encodable                                                                  TopLevelCodableBridge
//
// Natively supported types (native.h) skip their bridge when they are written, and when a stored
// object converts to them directly.
//
// The colour bridge needs Qt Gui and lives apart (prefs/color/color_bridge.h, zendra_prefs_color):
// code that reads or writes a colour key includes it; the store itself needs only Qt Core.

#include "prefs/any_serializable.h"
#include "prefs/collection_bridge.h"
#include "prefs/dictionary_bridge.h"
#include "prefs/keyed_archive.h"
#include "prefs/native.h"
#include "prefs/raw_representable.h"
#include "prefs/raw_representable_bridge.h"
#include "prefs/secure_coding_bridge.h"
#include "prefs/storable_bridge.h"
#include "prefs/stored_object.h"
#include "prefs/top_level_codable_bridge.h"
#include "prefs/url_bridge.h"
#include "prefs/uuid_bridge.h"

#include <QUrl>
#include <QUuid>
#include <optional>
#include <type_traits>

QT_FORWARD_DECLARE_CLASS(QColor)

namespace zendra::Prefs {

struct ColorObject;
struct ColorBridge;

// Applies the wrapped type's bridge to the wrapped value.
template <class Bridge> struct OptionalBridge {
    using Value = typename Bridge::Value;
    using Stored = typename Bridge::Stored;
    static std::optional<Stored> serialize(const std::optional<Value>& value) {
        return Bridge::serialize(value);
    }
    static std::optional<Value> deserialize(const std::optional<Stored>& object) {
        return Bridge::deserialize(object);
    }
};

// The selection for a type that is not storable.
struct NoBridge {};

namespace detail {

template <class B> using Use = std::type_identity<B>;

template <class T> constexpr auto selectBridge() {
    if constexpr (NativeScalar<T>) {
        return Use<TopLevelCodableBridge<T>>{};
    } else if constexpr (IsOptional<T>::value) {
        using Wrapped = typename IsOptional<T>::Wrapped;
        if constexpr (Storable<Wrapped>) {
            return Use<OptionalBridge<BridgeOf<Wrapped>>>{};
        } else {
            return Use<NoBridge>{};
        }
    } else if constexpr (IsVector<T>::value) {
        using Element = typename IsVector<T>::Element;
        if constexpr (Storable<Element>) {
            return Use<ArrayBridge<Element>>{};
        } else {
            return Use<NoBridge>{};
        }
    } else if constexpr (DictionaryOfStorable<T>) {
        return Use<DictionaryBridge<T>>{};
    } else if constexpr (SetOfStorable<T>) {
        return Use<SetBridge<T>>{};
    } else if constexpr (std::same_as<T, QUrl>) {
        return Use<URLBridge>{};
    } else if constexpr (std::same_as<T, QUuid>) {
        return Use<UUIDBridge>{};
    } else if constexpr (std::same_as<T, QColor>) {
        return Use<ColorBridge>{};
    } else if constexpr (std::same_as<T, ColorObject>) {
        return Use<SecureCodingBridge<T>>{};
    } else if constexpr (std::same_as<T, AnySerializable>) {
        return Use<AnyBridge>{};
    } else if constexpr (CollectionSerializable<T>) {
        return Use<CollectionBridge<T>>{};
    } else if constexpr (SetAlgebraSerializable<T>) {
        return Use<SetAlgebraBridge<T>>{};
    } else if constexpr (RawRepresentable<T> && JsonEncodable<T>) {
        if constexpr (PreferRawRepresentable<T>) {
            return Use<RawRepresentableBridge<T>>{};
        } else {
            return Use<RawRepresentableCodableBridge<T>>{};
        }
    } else if constexpr (RawRepresentable<T>) {
        return Use<RawRepresentableBridge<T>>{};
    } else if constexpr (SecurelyArchivable<T> && JsonEncodable<T>) {
        if constexpr (PreferSecureCoding<T>) {
            return Use<SecureCodingBridge<T>>{};
        } else {
            return Use<CodableSecureCodingBridge<T>>{};
        }
    } else if constexpr (SecurelyArchivable<T>) {
        return Use<SecureCodingBridge<T>>{};
    } else if constexpr (JsonEncodable<T>) {
        return Use<TopLevelCodableBridge<T>>{};
    } else {
        return Use<NoBridge>{};
    }
}

} // namespace detail

template <class T> struct Serializable {
    using Bridge = typename decltype(detail::selectBridge<T>())::type;
    static constexpr bool isStorable = !std::same_as<Bridge, NoBridge>;
    static constexpr bool isNativelySupportedType = isNativelySupported<T>();
};

} // namespace zendra::Prefs
