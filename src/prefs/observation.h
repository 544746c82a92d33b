#pragma once

// The vocabulary of change observation: options, untyped and typed changes, and the handle interface
// every observation implements.

#include "base/lifetime_association.h"
#include "prefs/serializable.h"
#include "prefs/stored_object.h"
#include "prefs/suite.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QObject;

namespace zendra::Prefs {

enum class ObservationOption {
    initial, // one change during start, carrying the current value
    prior,   // an extra change with isPrior before each change
};

// A set of observation options. When both are given only `initial` takes effect.
class ObservationOptions {
public:
    constexpr ObservationOptions() = default;
    constexpr ObservationOptions(ObservationOption option) { insert(option); }
    constexpr ObservationOptions(std::initializer_list<ObservationOption> options) {
        for (auto option : options) {
            insert(option);
        }
    }

    constexpr bool contains(ObservationOption option) const { return (bits_ & bit(option)) != 0; }
    constexpr void insert(ObservationOption option) { bits_ |= bit(option); }

    // What the suite is asked for.
    constexpr SuiteObserverOptions suiteOptions() const {
        const bool initial = contains(ObservationOption::initial);
        return {.initial = initial, .prior = !initial && contains(ObservationOption::prior)};
    }

    constexpr bool operator==(const ObservationOptions&) const = default;

private:
    static constexpr unsigned bit(ObservationOption option) { return 1U << static_cast<unsigned>(option); }
    unsigned bits_ = 0;
};

// An untyped change: the stored objects as the suite reports them (absent stays absent).
struct BaseChange {
    std::uint64_t kind = SuiteChange::kindSetting;
    std::optional<std::vector<std::size_t>> indexes;
    bool isPrior = false;
    OptionalStoredObject newValue;
    OptionalStoredObject oldValue;

    static BaseChange from(const SuiteChange& change) {
        return {change.kind, change.indexes, change.isPrior, change.newValue, change.oldValue};
    }
    bool operator==(const BaseChange&) const = default;
};

// A typed change. Equatable when Value is.
template <class Value> struct KeyChange {
    std::uint64_t kind = SuiteChange::kindSetting;
    std::optional<std::vector<std::size_t>> indexes;
    bool isPrior = false;
    Value newValue;
    Value oldValue;

    bool operator==(const KeyChange&) const = default;
};

// An absent object, or one that does not convert, reads as the key's default. So the change delivered
// for `initial` reports the default as its old value.
template <Storable Value>
Value valueOrDefault(const OptionalStoredObject& object, const Value& defaultValue) {
    if (object) {
        if (auto value = deserialize<Value>(object)) {
            return std::move(*value);
        }
    }
    return defaultValue;
}

template <Storable Value> KeyChange<Value> keyChange(const BaseChange& change, const Value& defaultValue) {
    return {change.kind, change.indexes, change.isPrior, valueOrDefault(change.newValue, defaultValue),
            valueOrDefault(change.oldValue, defaultValue)};
}

// A running observation. It stays active until endObservation(), until its last handle is released,
// or until the owner it is bound to is destroyed; there is no restart. Ending twice is harmless.
class Observation : public std::enable_shared_from_this<Observation> {
public:
    Observation() = default;
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;
    virtual ~Observation() = default;

    virtual void endObservation() = 0;

    // Lets `owner` hold this observation and end it when the owner is destroyed; replaces an earlier
    // binding. Call on the owner's thread: a null owner, or one living on another thread, binds nothing
    // and leaves an earlier binding in place. Returns this observation.
    std::shared_ptr<Observation> bindLifetime(QObject* owner);
    // Undoes bindLifetime: the owner no longer holds or ends the observation.
    void unbindLifetime();

protected:
    // Derived classes call this as the last step of ending.
    void cancelLifetimeAssociation();

private:
    std::mutex associationMutex_;
    zendra::LifetimeAssociation lifetimeAssociation_;
};

} // namespace zendra::Prefs
