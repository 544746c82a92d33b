#pragma once

// A value of no fixed type: holds a stored object as it is, or the empty tuple when there is none.
//
//   Prefs::AnySerializable count = 5;                    // holds the number 5
//   Prefs::AnySerializable name = "Zendra";              // holds the string
//   Prefs::AnySerializable list = std::vector<Prefs::AnySerializable>{1, "a"};   // an array
//   Prefs::AnySerializable none;                         // the empty tuple: isNil()
//   count.get<int>() == 5; count.get<QString>() == std::nullopt

#include "prefs/storable_bridge.h"
#include "prefs/stored_object.h"

#include <QString>
#include <concepts>
#include <optional>
#include <type_traits>

namespace zendra::Prefs {

class AnySerializable {
public:
    // The empty tuple.
    AnySerializable() = default;

    // The stored object of any storable value, or the empty tuple when it cannot be stored.
    template <class T>
    requires(!std::same_as<std::remove_cvref_t<T>, AnySerializable>) && Storable<T> AnySerializable(
                                                                            const T& value)
        : value_(Prefs::serialize(value)) {}

    AnySerializable(const char* utf8) : value_(StoredObject(QString::fromUtf8(utf8))) {}

    // Holds `object` unchanged (nothing is the empty tuple).
    static AnySerializable fromStored(OptionalStoredObject object) {
        AnySerializable result;
        result.value_ = std::move(object);
        return result;
    }

    // The held object; nothing for the empty tuple.
    const OptionalStoredObject& value() const { return value_; }
    bool isNil() const { return !value_.has_value(); }

    // The held object read as T; nothing when it does not convert.
    template <Storable T> std::optional<T> get() const { return Prefs::deserialize<T>(value_); }

    template <Storable T> void set(const T& value) { value_ = Prefs::serialize(value); }

    // Equal when both hold the empty tuple, or objects of the same kind (the signed, unsigned,
    // boolean and floating number kinds apart) with equal contents, arrays and dictionaries included.
    bool operator==(const AnySerializable& other) const { return value_ == other.value_; }

private:
    OptionalStoredObject value_;
};

// Stores the held object unchanged; the empty tuple stores nothing.
struct AnyBridge {
    using Value = AnySerializable;
    using Stored = StoredObject;

    static std::optional<StoredObject> serialize(const std::optional<AnySerializable>& value) {
        if (!value) {
            return std::nullopt;
        }
        return value->value();
    }

    static std::optional<AnySerializable> deserialize(const std::optional<StoredObject>& object) {
        if (!object) {
            return std::nullopt;
        }
        return AnySerializable::fromStored(*object);
    }
};

} // namespace zendra::Prefs

#include "prefs/serializable.h"
