#pragma once

#include "base/async_stream.h"
#include "prefs/key.h"
#include "prefs/observation.h"
#include "prefs/observation_key.h"

namespace zendra::Prefs {

// The new value of each change of `key` (with `initial`, starting with the current value), buffered
// without bound so a slow consumer never blocks a writer. The stream runs one observation, which ends
// when the stream terminates (consumer dropped it, cancelled, or stopped iterating).
template <class Value> zendra::AsyncStream<Value> valueStream(const Key<Value>& key, bool initial) {
    using Stream = zendra::AsyncStream<Value>;
    return Stream([&key, initial](typename Stream::Continuation continuation) {
        auto observation = UserDefaultsKeyObservation::make(
            key.suite(), key.name(),
            [continuation, defaultValue = key.defaultValue()](const BaseChange& change) {
                continuation.yield(keyChange(change, defaultValue).newValue);
            });
        continuation.setOnTermination([observation] { observation->endObservation(); });
        observation->start(initial ? ObservationOptions{ObservationOption::initial} : ObservationOptions{});
    });
}

} // namespace zendra::Prefs
