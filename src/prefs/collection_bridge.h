#pragma once

// Arrays, sets and the collection-like types: stored as an array of the elements' stored objects, in
// iteration order. An element whose stored form or value cannot be produced is dropped; the rest of
// the collection survives. A stored entry of another kind than the elements' makes the whole
// collection unreadable.

#include "prefs/native.h"
#include "prefs/storable_bridge.h"
#include "prefs/stored_object.h"

#include <QSet>
#include <concepts>
#include <optional>
#include <ranges>
#include <set>
#include <type_traits>
#include <unordered_set>
#include <vector>

namespace zendra::Prefs {

template <class T> struct IsSetType : std::false_type {};
template <class E, class C, class A> struct IsSetType<std::set<E, C, A>> : std::true_type {};
template <class E, class H, class Eq, class A>
struct IsSetType<std::unordered_set<E, H, Eq, A>> : std::true_type {};
template <class E> struct IsSetType<QSet<E>> : std::true_type {};

template <class T>
concept SetOfStorable = IsSetType<T>::value && Storable<typename T::value_type>;

// A collection that lists its elements by iteration and is constructed from a std::vector of them, for
// example a type with `explicit Playlist(std::vector<Song>)` and begin()/end().
template <class T>
concept CollectionSerializable =
    std::ranges::input_range<const T> && Storable<std::ranges::range_value_t<const T>> &&
    std::constructible_from<T, std::vector<std::ranges::range_value_t<const T>>>;

// A set-algebra type (for example a set of options): it answers membership, lists its elements as a
// std::vector and is constructed from one.
template <class T>
concept SetAlgebraSerializable = requires {
    typename T::Element;
}
&&Storable<typename T::Element>&& requires(const T& set, const typename T::Element& element) {
    { set.contains(element) } -> std::convertible_to<bool>;
    { set.toArray() } -> std::convertible_to<std::vector<typename T::Element>>;
}
&&std::constructible_from<T, std::vector<typename T::Element>>;

namespace detail {

// Natively supported elements are stored as they are. Others go through the element's bridge, and an
// element it cannot store is left out.
template <Storable E, class Range> StoredArray serializeElements(const Range& elements) {
    StoredArray array;
    for (const E& element : elements) {
        if constexpr (Serializable<E>::isNativelySupportedType) {
            if (!isEmptyOptional(element)) {
                array.push_back(nativeToStored(element));
            }
        } else {
            using Bridge = BridgeOf<E>;
            if (auto stored = Bridge::serialize(toBridgeValue(element))) {
                array.push_back(toStoredObject(*stored));
            }
        }
    }
    return array;
}

// The whole array must be of the element's stored kind (else nothing); then every entry that does not
// read as an element is dropped.
template <Storable E>
std::optional<std::vector<E>> deserializeElements(const std::optional<StoredArray>& array) {
    if (!array) {
        return std::nullopt;
    }
    std::vector<E> result;
    result.reserve(array->size());
    if constexpr (Serializable<E>::isNativelySupportedType) {
        for (const auto& object : *array) {
            auto element = nativeFromStored<E>(object);
            if (!element) {
                return std::nullopt;
            }
            result.push_back(std::move(*element));
        }
    } else {
        using Bridge = BridgeOf<E>;
        using Stored = typename Bridge::Stored;
        std::vector<Stored> entries;
        entries.reserve(array->size());
        for (const auto& object : *array) {
            auto entry = storedAs<Stored>(object);
            if (!entry) {
                return std::nullopt;
            }
            entries.push_back(std::move(*entry));
        }
        for (auto& entry : entries) {
            if (auto element = fromBridgeValue<E>(Bridge::deserialize(std::move(entry)))) {
                result.push_back(std::move(*element));
            }
        }
    }
    return result;
}

} // namespace detail

template <Storable E> struct ArrayBridge {
    using Value = std::vector<E>;
    using Stored = StoredArray;

    static std::optional<StoredArray> serialize(const std::optional<Value>& value) {
        if (!value) {
            return std::nullopt;
        }
        return detail::serializeElements<E>(*value);
    }

    static std::optional<Value> deserialize(const std::optional<StoredArray>& array) {
        return detail::deserializeElements<E>(array);
    }
};

// std::set, std::unordered_set and QSet; duplicates in the stored array collapse on reading.
template <SetOfStorable S> struct SetBridge {
    using Value = S;
    using Stored = StoredArray;
    using Element = typename S::value_type;

    static std::optional<StoredArray> serialize(const std::optional<S>& value) {
        if (!value) {
            return std::nullopt;
        }
        return detail::serializeElements<Element>(*value);
    }

    static std::optional<S> deserialize(const std::optional<StoredArray>& array) {
        auto elements = detail::deserializeElements<Element>(array);
        if (!elements) {
            return std::nullopt;
        }
        S result;
        for (auto& element : *elements) {
            result.insert(std::move(element));
        }
        return result;
    }
};

template <CollectionSerializable C> struct CollectionBridge {
    using Value = C;
    using Stored = StoredArray;
    using Element = std::ranges::range_value_t<const C>;

    static std::optional<StoredArray> serialize(const std::optional<C>& value) {
        if (!value) {
            return std::nullopt;
        }
        return detail::serializeElements<Element>(*value);
    }

    static std::optional<C> deserialize(const std::optional<StoredArray>& array) {
        auto elements = detail::deserializeElements<Element>(array);
        if (!elements) {
            return std::nullopt;
        }
        return C(std::move(*elements));
    }
};

template <SetAlgebraSerializable S> struct SetAlgebraBridge {
    using Value = S;
    using Stored = StoredArray;
    using Element = typename S::Element;

    static std::optional<StoredArray> serialize(const std::optional<S>& value) {
        if (!value) {
            return std::nullopt;
        }
        return detail::serializeElements<Element>(std::vector<Element>(value->toArray()));
    }

    static std::optional<S> deserialize(const std::optional<StoredArray>& array) {
        auto elements = detail::deserializeElements<Element>(array);
        if (!elements) {
            return std::nullopt;
        }
        return S(std::move(*elements));
    }
};

} // namespace zendra::Prefs
