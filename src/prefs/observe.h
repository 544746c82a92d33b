#pragma once

// Callback observation of keys.
//
//   auto observation = Prefs::observe(key, {Prefs::ObservationOption::initial},
//                                     [](const Prefs::KeyChange<QString>& change) { ... });
//   auto several = Prefs::observe({keyA, keyB}, {}, [] { ... });
//
// Hold the returned handle (or bind it to an owner with bindLifetime): releasing it ends the
// observation. Handlers run synchronously on the thread that made the change.

#include "prefs/key.h"
#include "prefs/observation.h"
#include "prefs/observation_composite.h"
#include "prefs/observation_key.h"

#include <concepts>
#include <memory>
#include <utility>
#include <vector>

namespace zendra::Prefs {

// Observes one typed key. Changes are converted with the key's default (absent or unreadable objects
// read as the default). With `initial`, `handler` runs once before this returns.
template <class Value, class Handler>
requires std::invocable < Handler&, const KeyChange<Value>
& > [[nodiscard]] std::shared_ptr<UserDefaultsKeyObservation>
    observe(const Key<Value>& key, ObservationOptions options, Handler handler) {
    // The callback keeps the default, not the key: the key holds its suite, which holds the callback.
    auto observation = UserDefaultsKeyObservation::make(
        key.suite(), key.name(),
        [defaultValue = key.defaultValue(), handler = std::move(handler)](const BaseChange& change) mutable {
            handler(keyChange(change, defaultValue));
        });
    observation->start(options);
    return observation;
}

// Observes several untyped keys, possibly of different suites. `handler` runs once per change of any
// of them and is not told which one changed.
template <class Handler>
requires std::invocable<Handler&>
[[nodiscard]] std::shared_ptr<CompositeUserDefaultsKeyObservation>
observe(const std::vector<Keys>& keys, ObservationOptions options, Handler handler) {
    auto observation = CompositeUserDefaultsKeyObservation::make(
        keys, [handler = std::move(handler)](const BaseChange&) mutable { handler(); });
    observation->start(options);
    return observation;
}

} // namespace zendra::Prefs
