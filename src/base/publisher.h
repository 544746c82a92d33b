#pragma once

#include "base/cancellable.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace zendra {

// A source of values that starts its work when a subscriber attaches. A publisher is a value: copying
// it copies the recipe, and every subscription runs it anew (for example one observation each).
template <class T> class Publisher {
public:
    using Subscriber = std::function<void(const T&)>;
    using SubscribeFunction = std::function<Cancellable(Subscriber)>;

    Publisher() : subscribe_([](Subscriber) { return Cancellable{}; }) {}
    explicit Publisher(SubscribeFunction subscribe) : subscribe_(std::move(subscribe)) {}

    // Delivers every value to `subscriber` until the returned token is cancelled or destroyed.
    [[nodiscard]] Cancellable sink(Subscriber subscriber) const { return subscribe_(std::move(subscriber)); }

    template <class F> auto map(F transform) const {
        using U = std::decay_t<std::invoke_result_t<F, const T&>>;
        auto source = subscribe_;
        return Publisher<U>([source, transform](typename Publisher<U>::Subscriber subscriber) {
            return source([transform, subscriber](const T& value) { subscriber(transform(value)); });
        });
    }

    // A publisher of the values of both, in the order they arrive.
    Publisher merge(const Publisher& other) const {
        auto first = subscribe_;
        auto second = other.subscribe_;
        return Publisher([first, second](Subscriber subscriber) {
            auto a = std::make_shared<Cancellable>(first(subscriber));
            auto b = std::make_shared<Cancellable>(second(subscriber));
            return Cancellable([a, b] {
                a->cancel();
                b->cancel();
            });
        });
    }

private:
    SubscribeFunction subscribe_;
};

// A publisher that the owner feeds by hand (`send`). Subscribers are called synchronously on the
// sending thread, without the subject's lock held, so they may subscribe or cancel from inside.
template <class T> class Subject {
public:
    Subject() : state_(std::make_shared<State>()) {}

    void send(const T& value) const {
        std::vector<std::shared_ptr<Entry>> entries;
        {
            std::lock_guard lock(state_->mutex);
            entries = state_->entries;
        }
        for (const auto& entry : entries) {
            if (entry->active) {
                entry->subscriber(value);
            }
        }
    }

    [[nodiscard]] Cancellable sink(typename Publisher<T>::Subscriber subscriber) const {
        return publisher().sink(std::move(subscriber));
    }

    Publisher<T> publisher() const {
        std::weak_ptr<State> weakState = state_;
        return Publisher<T>([weakState](typename Publisher<T>::Subscriber subscriber) {
            auto state = weakState.lock();
            if (!state) {
                return Cancellable{};
            }
            auto entry = std::make_shared<Entry>();
            entry->subscriber = std::move(subscriber);
            {
                std::lock_guard lock(state->mutex);
                state->entries.push_back(entry);
            }
            return Cancellable([weakState, entry] {
                entry->active = false;
                if (auto state = weakState.lock()) {
                    std::lock_guard lock(state->mutex);
                    std::erase(state->entries, entry);
                }
            });
        });
    }

    std::size_t subscriberCount() const {
        std::lock_guard lock(state_->mutex);
        return state_->entries.size();
    }

private:
    struct Entry {
        typename Publisher<T>::Subscriber subscriber;
        std::atomic<bool> active{true};
    };
    struct State {
        mutable std::mutex mutex;
        std::vector<std::shared_ptr<Entry>> entries;
    };
    std::shared_ptr<State> state_;
};

// The payload of publishers that only say "something changed".
struct Signal {
    bool operator==(const Signal&) const = default;
};

} // namespace zendra
