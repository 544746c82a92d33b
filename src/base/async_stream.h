#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include <QMetaObject>
#include <QObject>
#include <QPointer>

namespace zendra {

// An asynchronous sequence with unbounded buffering: producers never block. The consumer owns the
// `AsyncStream`; dropping it (or cancel()) terminates the stream and runs the termination action once,
// which is how a stream ends the observation that feeds it.
template <class T> class AsyncStream {
    struct State {
        std::mutex mutex;
        std::condition_variable available;
        std::deque<T> buffer;
        bool finished = false;
        std::function<void()> onTermination;
        std::function<void()> wakeConsumer; // set by forEach

        // Runs the termination action at most once, outside the lock.
        void terminate(std::unique_lock<std::mutex>& lock) {
            finished = true;
            auto action = std::exchange(onTermination, nullptr);
            wakeConsumer = nullptr;
            lock.unlock();
            available.notify_all();
            if (action) {
                action();
            }
        }
    };

public:
    // The producer side. Copyable; yields after termination are dropped.
    class Continuation {
    public:
        bool yield(T value) const {
            auto state = state_.lock();
            if (!state) {
                return false;
            }
            std::function<void()> wake;
            {
                std::lock_guard lock(state->mutex);
                if (state->finished) {
                    return false;
                }
                state->buffer.push_back(std::move(value));
                wake = state->wakeConsumer;
            }
            state->available.notify_one();
            if (wake) {
                wake();
            }
            return true;
        }

        void finish() const {
            if (auto state = state_.lock()) {
                std::unique_lock lock(state->mutex);
                if (!state->finished) {
                    auto wake = state->wakeConsumer;
                    state->finished = true;
                    auto action = std::exchange(state->onTermination, nullptr);
                    lock.unlock();
                    state->available.notify_all();
                    if (wake) {
                        wake();
                    }
                    if (action) {
                        action();
                    }
                }
            }
        }

        // Sets the action run once when the stream terminates (consumer gone, cancel() or finish()).
        void setOnTermination(std::function<void()> action) const {
            if (auto state = state_.lock()) {
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

    // Ends iteration from the consumer side.
    void cancel() {
        if (state_) {
            std::unique_lock lock(state_->mutex);
            if (!state_->finished) {
                state_->terminate(lock);
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

    bool isFinished() const {
        std::lock_guard lock(state_->mutex);
        return state_->finished && state_->buffer.empty();
    }

    // Iterates on `context`'s thread: each element (those buffered already included) is handed to
    // `handler` through that thread's event loop. Iteration stops when `context` is destroyed, when the
    // stream is cancelled or finished, or when `handler` returns false.
    void forEach(QObject* context, std::function<bool(const T&)> handler) {
        QPointer<QObject> guard(context);
        std::weak_ptr<State> weak = state_;
        auto drain = [guard, weak, handler] {
            if (!guard) {
                return;
            }
            for (;;) {
                auto state = weak.lock();
                if (!state) {
                    return;
                }
                std::unique_lock lock(state->mutex);
                if (state->buffer.empty()) {
                    return;
                }
                T value = std::move(state->buffer.front());
                state->buffer.pop_front();
                lock.unlock();
                if (!handler(value)) {
                    std::unique_lock again(state->mutex);
                    if (!state->finished) {
                        state->terminate(again);
                    }
                    return;
                }
            }
        };
        {
            std::lock_guard lock(state_->mutex);
            state_->wakeConsumer = [guard, drain] {
                if (guard) {
                    QMetaObject::invokeMethod(guard.data(), drain, Qt::QueuedConnection);
                }
            };
        }
        QMetaObject::invokeMethod(context, drain, Qt::QueuedConnection);
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
