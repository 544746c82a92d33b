#pragma once

#include "prefs/observation.h"
#include "prefs/suite.h"

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace zendra::Prefs::detail {

// A name in a suite that an observation watches; the suite is held weakly.
struct SuiteKeyPair {
    std::weak_ptr<Suite> suite;
    QString key;
};

// The suite side of an observation: its registrations with the suites and the gate every
// notification passes (ended, or propagation suppressed on the notifying thread: dropped).
//
// The suites call a shared gate, not this object, so a notification running on another thread while
// the observation is destroyed stays safe.
class ObserverRegistrations {
public:
    using Callback = std::function<void(const BaseChange&)>;

    explicit ObserverRegistrations(Callback callback);
    ObserverRegistrations(const ObserverRegistrations&) = delete;
    ObserverRegistrations& operator=(const ObserverRegistrations&) = delete;
    ~ObserverRegistrations();

    // Registers with each pair whose suite still exists, in order. Only the first call has an effect,
    // and none after end(). With `initial`, each pair delivers its first change before this returns.
    void start(const std::vector<SuiteKeyPair>& pairs, ObservationOptions options);

    // Removes every registration whose suite still exists. Idempotent; safe from inside a callback.
    void end();

    // True while registered with at least one suite and not ended.
    bool isActive() const;

private:
    struct Gate {
        Callback callback;
        std::atomic<bool> ended{false};
    };
    struct Registration {
        std::weak_ptr<Suite> suite;
        Suite::ObserverId id;
    };

    std::shared_ptr<Gate> gate_;
    mutable std::mutex mutex_;
    std::vector<Registration> registrations_;
    bool started_ = false;
    bool ended_ = false;
};

} // namespace zendra::Prefs::detail
