#pragma once

// Publishers of key changes. Each subscription runs its own observation; the subscriber is attached
// before the observation starts, so a change delivered for `initial` reaches it. Every change is
// delivered, synchronously on the changing thread. Cancelling the subscription ends its observation.

#include "base/publisher.h"
#include "prefs/key.h"
#include "prefs/observation.h"
#include "prefs/observation_key.h"

#include <memory>
#include <mutex>
#include <vector>

namespace zendra::Prefs {

namespace detail {

// One subscriber and the observation feeding it. Cancelling may race with a delivery on another
// thread, so the subscriber is swapped out under a lock and called outside it.
template <class T> class PrefsSubscription {
public:
    using Subscriber = typename zendra::Publisher<T>::Subscriber;

    explicit PrefsSubscription(Subscriber subscriber)
        : subscriber_(std::make_shared<const Subscriber>(std::move(subscriber))) {}

    void deliver(const T& value) const {
        std::shared_ptr<const Subscriber> subscriber;
        {
            std::lock_guard lock(mutex_);
            subscriber = subscriber_;
        }
        if (subscriber) {
            (*subscriber)(value);
        }
    }

    void setObservation(std::shared_ptr<UserDefaultsKeyObservation> observation) {
        std::lock_guard lock(mutex_);
        observation_ = std::move(observation);
    }

    void cancel() {
        std::shared_ptr<const Subscriber> subscriber;
        std::shared_ptr<UserDefaultsKeyObservation> observation;
        {
            std::lock_guard lock(mutex_);
            subscriber = std::move(subscriber_);
            observation = std::move(observation_);
        }
        if (observation) {
            observation->endObservation();
        }
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const Subscriber> subscriber_;
    std::shared_ptr<UserDefaultsKeyObservation> observation_;
};

// The untyped changes of one name in one suite. The publisher keeps the suite; each subscription's
// observation holds it weakly.
inline zendra::Publisher<BaseChange> changePublisher(const Keys& key, ObservationOptions options) {
    std::shared_ptr<Suite> suite = key.suite();
    QString name = key.name();
    return zendra::Publisher<BaseChange>([suite, name,
                                          options](zendra::Publisher<BaseChange>::Subscriber subscriber) {
        auto subscription = std::make_shared<PrefsSubscription<BaseChange>>(std::move(subscriber));
        std::weak_ptr<PrefsSubscription<BaseChange>> weak = subscription;
        auto observation = UserDefaultsKeyObservation::make(suite, name, [weak](const BaseChange& change) {
            if (auto alive = weak.lock()) {
                alive->deliver(change);
            }
        });
        subscription->setObservation(observation);
        observation->start(options);
        return zendra::Cancellable([subscription] { subscription->cancel(); });
    });
}

} // namespace detail

// The typed changes of `key`, converted with its default.
template <class Value>
zendra::Publisher<KeyChange<Value>> publisher(const Key<Value>& key, ObservationOptions options) {
    return detail::changePublisher(key, options)
        .map([defaultValue = key.defaultValue()](const BaseChange& change) {
            return keyChange(change, defaultValue);
        });
}

// One empty event per change of any of `keys`, merged key by key in the given order.
inline zendra::Publisher<zendra::Signal> publisher(const std::vector<Keys>& keys,
                                                   ObservationOptions options) {
    zendra::Publisher<zendra::Signal> merged;
    for (const auto& key : keys) {
        merged = merged.merge(
            detail::changePublisher(key, options).map([](const BaseChange&) { return zendra::Signal{}; }));
    }
    return merged;
}

} // namespace zendra::Prefs
