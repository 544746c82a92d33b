#pragma once

#include "base/thread_target.h"

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace zendra {

// An asynchronous sequence with unbounded buffering: producers never block. The consumer owns the
// `AsyncStream`; dropping it (or cancel()) terminates the stream and runs the termination action once,
// which is how a stream ends the observation that feeds it. A stream has one consumer.
template <class T> class AsyncStream {
    struct State {
        std::mutex mutex;
        std::condition_variable available;
        std::deque<T> buffer;
        bool finished = false;
        bool drainScheduled = false;
        std::function<void()> onTermination;
        std::shared_ptr<ThreadTarget> consumer; // set by forEach
        std::function<void()> drain;            // set by forEach; runs on the consumer's thread

        // Marks the stream finished and runs the termination action at most once, outside the lock.
        // A consumer that cancels has no use for what is still buffered.
        void terminate(std::unique_lock<std::mutex>& lock, bool dropBuffered) {
            finished = true;
            if (dropBuffered) {
                buffer.clear();
            }
            auto action = std::exchange(onTermination, nullptr);
            lock.unlock();
            available.notify_all();
            if (action) {
                action();
            }
        }

        // Posts one drain to the consumer's thread unless one is pending. Called with the lock held.
        void scheduleDrainLocked() {
            if (!consumer || !drain || drainScheduled) {
                return;
            }
            drainScheduled = consumer->post(drain);
        }
    };

public:
    // The producer side. Copyable and usable from any thread; yields after termination are dropped.
    class Continuation {
    public:
        // Buffers `value`; false when the stream has terminated.
        bool yield(T value) const {
            auto state = state_.lock();
            if (!state) {
                return false;
            }
            {
                std::lock_guard lock(state->mutex);
                if (state->finished) {
                    return false;
                }
                state->buffer.push_back(std::move(value));
                state->scheduleDrainLocked();
            }
            state->available.notify_one();
            return true;
        }

        // Ends the stream from the producer side; what is buffered is still delivered.
        void finish() const {
            if (auto state = state_.lock()) {
                std::unique_lock lock(state->mutex);
                if (!state->finished) {
                    state->terminate(lock, false);
                }
            }
        }

        // Sets the action run once when the stream terminates (consumer gone, cancel() or finish()).
        // On a stream that has terminated already it runs at once.
        void setOnTermination(std::function<void()> action) const {
            auto state = state_.lock();
            if (!state) {
                if (action) {
                    action();
                }
                return;
            }
            std::unique_lock lock(state->mutex);
            if (state->finished) {
                lock.unlock();
                if (action) {
                    action();
                }
                return;
            }
            state->onTermination = std::move(action);
        }

    private:
        friend class AsyncStream;
        explicit Continuation(std::weak_ptr<State> state) : state_(std::move(state)) {}
        std::weak_ptr<State> state_;
    };

    // Builds a stream; `build` receives the continuation and may start producing at once.
    explicit AsyncStream(const std::function<void(Continuation)>& build) : state_(std::make_shared<State>()) {
        build(Continuation(state_));
    }
    AsyncStream(AsyncStream&&) noexcept = default;
    AsyncStream& operator=(AsyncStream&& other) noexcept {
        if (this != &other) {
            cancel();
            state_ = std::move(other.state_);
        }
        return *this;
    }
    AsyncStream(const AsyncStream&) = delete;
    AsyncStream& operator=(const AsyncStream&) = delete;
    ~AsyncStream() { cancel(); }

    // Ends iteration from the consumer side: buffered elements are dropped, nothing more is delivered.
    void cancel() {
        if (state_) {
            std::unique_lock lock(state_->mutex);
            if (!state_->finished) {
                state_->terminate(lock, true);
            } else {
                state_->buffer.clear();
            }
        }
    }

    // The next element; waits while the buffer is empty. Nothing once the stream has ended and drained.
    std::optional<T> next() {
        std::unique_lock lock(state_->mutex);
        state_->available.wait(lock, [&] { return !state_->buffer.empty() || state_->finished; });
        return popLocked();
    }

    // The next buffered element without waiting.
    std::optional<T> tryNext() {
        std::lock_guard lock(state_->mutex);
        return popLocked();
    }

    // True once the stream has terminated and nothing is left to read.
    bool isFinished() const {
        std::lock_guard lock(state_->mutex);
        return state_->finished && state_->buffer.empty();
    }

    // Iterates on `context`'s thread: each element (those buffered already included) is handed to
    // `handler` from that thread's event loop, never from inside forEach. Iteration stops when `context`
    // is destroyed, when the stream is cancelled or has finished and drained, or when `handler` returns
    // false (which terminates the stream). Call it on `context`'s thread.
    void forEach(QObject* context, std::function<bool(const T&)> handler) {
        auto target = ThreadTarget::make(context);
        std::weak_ptr<State> weak = state_;
        auto shared = std::make_shared<std::function<bool(const T&)>>(std::move(handler));
        auto drain = [weak, shared, target] {
            for (;;) {
                auto state = weak.lock();
                if (!state || !target->isAlive()) {
                    return;
                }
                std::unique_lock lock(state->mutex);
                if (state->buffer.empty()) {
                    state->drainScheduled = false;
                    return;
                }
                T value = std::move(state->buffer.front());
                state->buffer.pop_front();
                lock.unlock();
                if (!(*shared)(value)) {
                    std::unique_lock again(state->mutex);
                    if (!state->finished) {
                        state->terminate(again, true);
                    }
                    return;
                }
            }
        };
        std::lock_guard lock(state_->mutex);
        state_->consumer = std::move(target);
        state_->drain = std::move(drain);
        state_->drainScheduled = false;
        if (!state_->buffer.empty()) {
            state_->scheduleDrainLocked();
        }
    }

private:
    std::optional<T> popLocked() {
        if (state_->buffer.empty()) {
            return std::nullopt;
        }
        T value = std::move(state_->buffer.front());
        state_->buffer.pop_front();
        return value;
    }

    std::shared_ptr<State> state_;
};

} // namespace zendra
