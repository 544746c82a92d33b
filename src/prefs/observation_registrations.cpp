#include "prefs/observation_registrations.h"

#include "prefs/without_propagation.h"

namespace zendra::Prefs::detail {

ObserverRegistrations::ObserverRegistrations(Callback callback) : gate_(std::make_shared<Gate>()) {
    gate_->callback = std::move(callback);
}

ObserverRegistrations::~ObserverRegistrations() {
    end();
}

void ObserverRegistrations::start(const std::vector<SuiteKeyPair>& pairs, ObservationOptions options) {
    {
        std::lock_guard lock(mutex_);
        if (started_ || ended_) {
            return;
        }
        started_ = true;
    }
    for (const auto& pair : pairs) {
        auto suite = pair.suite.lock();
        if (!suite) {
            continue;
        }
        // No lock is held here: an initial change may end the observation from its callback.
        auto gate = gate_;
        const auto id =
            suite->addObserver(pair.key, options.suiteOptions(), [gate](const SuiteChange& change) {
                if (gate->ended.load(std::memory_order_acquire) || isPropagationSuppressed()) {
                    return;
                }
                gate->callback(BaseChange::from(change));
            });
        std::unique_lock lock(mutex_);
        if (ended_) {
            // Ended while registering (by an initial change): undo this registration, skip the rest.
            lock.unlock();
            suite->removeObserver(id);
            return;
        }
        registrations_.push_back({pair.suite, id});
    }
}

void ObserverRegistrations::end() {
    std::vector<Registration> registrations;
    {
        std::lock_guard lock(mutex_);
        if (ended_) {
            return;
        }
        ended_ = true;
        gate_->ended.store(true, std::memory_order_release);
        registrations = std::move(registrations_);
        registrations_.clear();
    }
    for (const auto& registration : registrations) {
        if (auto suite = registration.suite.lock()) {
            suite->removeObserver(registration.id);
        }
    }
}

bool ObserverRegistrations::isActive() const {
    std::lock_guard lock(mutex_);
    return !ended_ && !registrations_.empty();
}

} // namespace zendra::Prefs::detail
