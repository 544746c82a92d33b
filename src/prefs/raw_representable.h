#pragma once

// Types with a raw value: each value maps to a natively supported raw value (a string or a number),
// and a raw value maps back to a value, or to nothing when no case has it. Specialize
// RawRepresentation for such a type:
//
//   template <> struct Prefs::RawRepresentation<Fruit> {
//       using RawValue = QString;
//       static QString toRaw(Fruit fruit);                      // or std::optional<QString>
//       static std::optional<Fruit> fromRaw(const QString& raw);
//   };
//
// or derive the specialization from RawCases and list the cases once.

#include "prefs/native.h"

#include <concepts>
#include <optional>

namespace zendra::Prefs {

template <class T> struct RawRepresentation;

template <class T> using RawValueOf = typename RawRepresentation<T>::RawValue;

template <class T>
concept RawRepresentable = requires {
    typename RawRepresentation<T>::RawValue;
}
&&NativeScalar<RawValueOf<T>>&& requires(const T& value, const RawValueOf<T>& raw) {
    { RawRepresentation<T>::toRaw(value) } -> std::convertible_to<std::optional<RawValueOf<T>>>;
    { RawRepresentation<T>::fromRaw(raw) } -> std::same_as<std::optional<T>>;
};

// The raw value of a value; nothing when the value has none (an enumerator outside the listed cases).
template <RawRepresentable T> std::optional<RawValueOf<T>> rawValue(const T& value) {
    return RawRepresentation<T>::toRaw(value);
}

// Specialize as true for a raw-valued type that is also JSON-encodable, to store its raw value itself
// instead of its JSON text.
template <class T> inline constexpr bool PreferRawRepresentable = false;

// A RawRepresentation from a table of cases. `Derived` provides
//   static const auto& cases();   // a range of std::pair<T, Raw>
template <class Derived, class T, class Raw> struct RawCases {
    using RawValue = Raw;

    static std::optional<Raw> toRaw(const T& value) {
        for (const auto& [candidate, raw] : Derived::cases()) {
            if (candidate == value) {
                return Raw(raw);
            }
        }
        return std::nullopt;
    }

    static std::optional<T> fromRaw(const Raw& raw) {
        for (const auto& [candidate, candidateRaw] : Derived::cases()) {
            if (Raw(candidateRaw) == raw) {
                return candidate;
            }
        }
        return std::nullopt;
    }
};

} // namespace zendra::Prefs
