#pragma once

// Dictionaries whose keys convert losslessly to and from a string: stored as a dictionary from the
// keys' string forms to the values' stored objects.

#include "prefs/native.h"
#include "prefs/raw_representable.h"
#include "prefs/storable_bridge.h"
#include "prefs/stored_object.h"

#include <QString>
#include <QStringView>
#include <concepts>
#include <map>
#include <optional>
#include <type_traits>
#include <unordered_map>

namespace zendra::Prefs {

// The lossless string form of a dictionary key. Specialize for other key types:
//   static QString toString(const K&);                  (or std::optional<QString>)
//   static std::optional<K> fromString(const QString&); nothing when the text names no key
template <class K> struct LosslessStringConvertible;

template <> struct LosslessStringConvertible<QString> {
    static QString toString(const QString& key) { return key; }
    static std::optional<QString> fromString(const QString& text) { return text; }
};

// Strict decimal text: an optional sign and digits only, within the type's range.
std::optional<long long> parseSignedDecimal(QStringView text);
std::optional<unsigned long long> parseUnsignedDecimal(QStringView text);

template <class K>
requires NativeNumber<K> && std::integral<K> &&(!std::same_as<K, bool>)struct LosslessStringConvertible<K> {
    static QString toString(K key) { return QString::number(key); }
    static std::optional<K> fromString(const QString& text) {
        if constexpr (std::is_signed_v<K>) {
            if (auto value = parseSignedDecimal(text); value && std::in_range<K>(*value)) {
                return static_cast<K>(*value);
            }
        } else {
            if (auto value = parseUnsignedDecimal(text); value && std::in_range<K>(*value)) {
                return static_cast<K>(*value);
            }
        }
        return std::nullopt;
    }
};

// Types with a string raw value use it as their key text.
template <class K>
requires RawRepresentable<K> && std::same_as<RawValueOf<K>, QString>
struct LosslessStringConvertible<K> {
    static std::optional<QString> toString(const K& key) { return rawValue(key); }
    static std::optional<K> fromString(const QString& text) { return RawRepresentation<K>::fromRaw(text); }
};

template <class K>
concept StringConvertibleKey = requires(const K& key, const QString& text) {
    { LosslessStringConvertible<K>::toString(key) } -> std::convertible_to<std::optional<QString>>;
    { LosslessStringConvertible<K>::fromString(text) } -> std::same_as<std::optional<K>>;
};

template <class T> struct IsMapType : std::false_type {};
template <class K, class V, class C, class A> struct IsMapType<std::map<K, V, C, A>> : std::true_type {};
template <class K, class V, class H, class Eq, class A>
struct IsMapType<std::unordered_map<K, V, H, Eq, A>> : std::true_type {};

template <class T>
concept DictionaryOfStorable =
    IsMapType<T>::value && StringConvertibleKey<typename T::key_type> && Storable<typename T::mapped_type>;

// Entries whose key has no string form or whose value cannot be stored are left out on writing; stored
// entries whose text is no key or whose object is no value are left out on reading.
template <DictionaryOfStorable M> struct DictionaryBridge {
    using Value = M;
    using Stored = StoredDictionary;
    using Key = typename M::key_type;
    using Mapped = typename M::mapped_type;

    static std::optional<StoredDictionary> serialize(const std::optional<M>& value) {
        if (!value) {
            return std::nullopt;
        }
        StoredDictionary dictionary;
        for (const auto& [key, element] : *value) {
            const std::optional<QString> name = LosslessStringConvertible<Key>::toString(key);
            if (!name) {
                continue;
            }
            if (auto stored = Prefs::serialize(element)) {
                dictionary.insert_or_assign(*name, std::move(*stored));
            }
        }
        return dictionary;
    }

    static std::optional<M> deserialize(const std::optional<StoredDictionary>& dictionary) {
        if (!dictionary) {
            return std::nullopt;
        }
        M result;
        for (const auto& [name, object] : *dictionary) {
            auto key = LosslessStringConvertible<Key>::fromString(name);
            if (!key) {
                continue;
            }
            if (auto element = Prefs::deserialize<Mapped>(object)) {
                result.insert_or_assign(std::move(*key), std::move(*element));
            }
        }
        return result;
    }
};

} // namespace zendra::Prefs
