#pragma once

// Conversions between natively supported values and stored objects: no bridge, no text form.

#include "prefs/stored_object.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <type_traits>
#include <vector>

namespace zendra::Prefs {

template <class T> struct IsOptional : std::false_type {};
template <class T> struct IsOptional<std::optional<T>> : std::true_type { using Wrapped = T; };
template <class T> inline constexpr bool isOptional = IsOptional<T>::value;

template <class T> struct IsVector : std::false_type {};
template <class T, class A> struct IsVector<std::vector<T, A>> : std::true_type { using Element = T; };

template <class T> struct IsStringMap : std::false_type {};
template <class V, class C, class A> struct IsStringMap<std::map<QString, V, C, A>> : std::true_type {
    using Mapped = V;
};

// Every integer width, in both spellings of the 64-bit one (qint64 is long long, std::int64_t is long).
template <class T>
concept NativeNumber = std::same_as<T, bool> || std::same_as<T, std::int8_t> ||
    std::same_as<T, std::int16_t> || std::same_as<T, std::int32_t> || std::same_as<T, std::int64_t> ||
    std::same_as<T, std::uint8_t> || std::same_as<T, std::uint16_t> || std::same_as<T, std::uint32_t> ||
    std::same_as<T, std::uint64_t> || std::same_as<T, long long> || std::same_as<T, unsigned long long> ||
    std::same_as<T, float> || std::same_as<T, double>;

// The natively supported scalar types: data, date, boolean, every integer width, floating point, string.
template <class T>
concept NativeScalar =
    NativeNumber<T> || std::same_as<T, QString> || std::same_as<T, QByteArray> || std::same_as<T, QDateTime>;

// Whether a type is stored as it is: scalars, and optionals, arrays and string-keyed dictionaries of
// natively supported types.
template <class T> constexpr bool isNativelySupported() {
    if constexpr (NativeScalar<T>) {
        return true;
    } else if constexpr (IsOptional<T>::value) {
        return isNativelySupported<typename IsOptional<T>::Wrapped>();
    } else if constexpr (IsVector<T>::value) {
        return isNativelySupported<typename IsVector<T>::Element>();
    } else if constexpr (IsStringMap<T>::value) {
        return isNativelySupported<typename IsStringMap<T>::Mapped>();
    } else {
        return false;
    }
}

// A number as the requested type, when the store's number converts to it without loss (an integer
// that fits, a floating value with no fraction for an integer type, 0 or 1 for a boolean).
template <NativeNumber T> std::optional<T> numberAs(const Number& number) {
    if constexpr (std::same_as<T, bool>) {
        if (number.isBool()) {
            return std::get<bool>(number.value);
        }
        if (number.isFloating()) {
            const double v = number.toDouble();
            return v == 0.0   ? std::optional<bool>(false)
                   : v == 1.0 ? std::optional<bool>(true)
                              : std::nullopt;
        }
        if (std::holds_alternative<std::int64_t>(number.value)) {
            const auto v = std::get<std::int64_t>(number.value);
            return v == 0 ? std::optional<bool>(false) : v == 1 ? std::optional<bool>(true) : std::nullopt;
        }
        const auto v = std::get<std::uint64_t>(number.value);
        return v == 0 ? std::optional<bool>(false) : v == 1 ? std::optional<bool>(true) : std::nullopt;
    } else if constexpr (std::is_floating_point_v<T>) {
        return static_cast<T>(number.toDouble());
    } else {
        return std::visit(
            [](auto v) -> std::optional<T> {
                using V = decltype(v);
                if constexpr (std::same_as<V, double>) {
                    if (!std::isfinite(v) || std::trunc(v) != v ||
                        v < static_cast<double>(std::numeric_limits<T>::min()) ||
                        v >= static_cast<double>(std::numeric_limits<T>::max()) + 1.0) {
                        return std::nullopt;
                    }
                    return static_cast<T>(v);
                } else if constexpr (std::same_as<V, bool>) {
                    return static_cast<T>(v ? 1 : 0);
                } else if constexpr (std::is_signed_v<V>) {
                    if (!std::in_range<T>(v)) {
                        return std::nullopt;
                    }
                    return static_cast<T>(v);
                } else {
                    if (!std::in_range<T>(v)) {
                        return std::nullopt;
                    }
                    return static_cast<T>(v);
                }
            },
            number.value);
    }
}

template <NativeNumber T> Number toNumber(T value) {
    if constexpr (std::same_as<T, bool>) {
        return Number{value};
    } else if constexpr (std::is_floating_point_v<T>) {
        return Number{static_cast<double>(value)};
    } else if constexpr (std::is_signed_v<T>) {
        return Number{static_cast<std::int64_t>(value)};
    } else {
        return Number{static_cast<std::uint64_t>(value)};
    }
}

template <class T> bool isEmptyOptional(const T& value) {
    if constexpr (IsOptional<T>::value) {
        return !value.has_value();
    } else {
        return false;
    }
}

// The stored object of a natively supported value. A top-level optional must hold a value; empty
// optionals inside arrays and dictionaries have no stored form and are left out.
template <class T> StoredObject nativeToStored(const T& value) {
    if constexpr (NativeNumber<T>) {
        return StoredObject(toNumber(value));
    } else if constexpr (NativeScalar<T>) {
        return StoredObject(value);
    } else if constexpr (IsOptional<T>::value) {
        return nativeToStored(*value);
    } else if constexpr (IsVector<T>::value) {
        StoredArray array;
        array.reserve(value.size());
        for (const auto& element : value) {
            if (!isEmptyOptional(element)) {
                array.push_back(nativeToStored(element));
            }
        }
        return StoredObject(std::move(array));
    } else {
        static_assert(IsStringMap<T>::value, "not a natively supported type");
        StoredDictionary dictionary;
        for (const auto& [name, element] : value) {
            if (!isEmptyOptional(element)) {
                dictionary.emplace(name, nativeToStored(element));
            }
        }
        return StoredObject(std::move(dictionary));
    }
}

// A stored object as a natively supported value, when it is of the matching kind (the whole
// collection fails when one element does).
template <class T> std::optional<T> nativeFromStored(const StoredObject& object) {
    if constexpr (NativeNumber<T>) {
        if (const auto* number = object.number()) {
            return numberAs<T>(*number);
        }
        return std::nullopt;
    } else if constexpr (NativeScalar<T>) {
        if (const auto* value = object.get<T>()) {
            return *value;
        }
        return std::nullopt;
    } else if constexpr (IsOptional<T>::value) {
        if (auto wrapped = nativeFromStored<typename IsOptional<T>::Wrapped>(object)) {
            return T(std::move(*wrapped));
        }
        return std::nullopt;
    } else if constexpr (IsVector<T>::value) {
        const auto* array = object.array();
        if (array == nullptr) {
            return std::nullopt;
        }
        T result;
        result.reserve(array->size());
        for (const auto& element : *array) {
            auto converted = nativeFromStored<typename IsVector<T>::Element>(element);
            if (!converted) {
                return std::nullopt;
            }
            result.push_back(std::move(*converted));
        }
        return result;
    } else {
        static_assert(IsStringMap<T>::value, "not a natively supported type");
        const auto* dictionary = object.dictionary();
        if (dictionary == nullptr) {
            return std::nullopt;
        }
        T result;
        for (const auto& [name, element] : *dictionary) {
            auto converted = nativeFromStored<typename IsStringMap<T>::Mapped>(element);
            if (!converted) {
                return std::nullopt;
            }
            result.emplace(name, std::move(*converted));
        }
        return result;
    }
}

// A bridge's stored type from and to a stored object: the natively supported kinds, the untyped
// array and dictionary, and the stored object itself.
template <class S> std::optional<S> storedAs(const StoredObject& object) {
    if constexpr (std::same_as<S, StoredObject>) {
        return object;
    } else if constexpr (std::same_as<S, StoredArray> || std::same_as<S, StoredDictionary>) {
        if (const auto* value = object.get<S>()) {
            return *value;
        }
        return std::nullopt;
    } else {
        return nativeFromStored<S>(object);
    }
}

template <class S> StoredObject toStoredObject(const S& value) {
    if constexpr (std::same_as<S, StoredObject>) {
        return value;
    } else if constexpr (std::same_as<S, StoredArray> || std::same_as<S, StoredDictionary>) {
        return StoredObject(value);
    } else {
        return nativeToStored(value);
    }
}

} // namespace zendra::Prefs
