#pragma once

// Reading and writing typed keys. A read never fails: a missing or unconvertible entry reads as the
// key's default. Writing an empty optional, or a value its bridge cannot store, removes the entry.
//
//   Prefs::get(key)                 Prefs::get(suite, key)
//   Prefs::set(key, value)          Prefs::set(suite, key, value)
//   Prefs::modify(key, [](T& v) {}) Prefs::modify(suite, key, mutation)

#include "prefs/bridge_failure.h"
#include "prefs/key.h"
#include "prefs/serializable.h"
#include "prefs/suite.h"

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

namespace zendra::Prefs {

// A stored object that its bridge reports as damaged is reported once, with the key and the suite's
// location, however often it is read.
template <class Value> Value get(const Suite& suite, const Key<Value>& key) {
    auto object = suite.object(key.name());
    if (!object) {
        return key.defaultValue();
    }
    BridgeFailureCapture failure;
    if (auto value = deserialize<Value>(object)) {
        return std::move(*value);
    }
    if (failure.first()) {
        suite.reportUnreadable(key.name(), *object, QString::fromStdString(*failure.first()));
    }
    return key.defaultValue();
}

template <class Value> Value get(const Key<Value>& key) {
    return get(*key.suite(), key);
}

template <class Value> void set(Suite& suite, const Key<Value>& key, const Value& value) {
    if constexpr (IsOptional<Value>::value) {
        if (!value) {
            suite.removeObject(key.name());
            return;
        }
    }
    suite.setObject(key.name(), serialize(value));
}

template <class Value> void set(const Key<Value>& key, const Value& value) {
    set(*key.suite(), key, value);
}

// One read into a temporary, the mutation, one write; the write happens even when the mutation throws.
template <class Value, class Mutation> void modify(Suite& suite, const Key<Value>& key, Mutation&& mutation) {
    Value value = get(suite, key);
    struct WriteBack {
        Suite& suite;
        const Key<Value>& key;
        Value& value;
        ~WriteBack() { set(suite, key, value); }
    } writeBack{suite, key, value};
    std::forward<Mutation>(mutation)(value);
}

template <class Value, class Mutation> void modify(const Key<Value>& key, Mutation&& mutation) {
    modify(*key.suite(), key, std::forward<Mutation>(mutation));
}

// Removes each key's name from that key's own suite, in order.
inline void reset(const std::vector<Keys>& keys) {
    for (const auto& key : keys) {
        key.reset();
    }
}

template <class... K>
requires(std::derived_from<K, Keys>&&...) void reset(const K&... keys) {
    (keys.reset(), ...);
}

// Removes each name from `suite`, in order.
inline void reset(const QStringList& names, Suite& suite) {
    for (const auto& name : names) {
        suite.removeObject(name);
    }
}

// Removes every name visible through the suite, including entries other components keep there.
inline void removeAll(Suite& suite) {
    suite.removeAll();
}

} // namespace zendra::Prefs
