#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zendra {

// A subscription token: runs its cancel action once, on cancel() or when destroyed.
// Move-only, so exactly one owner decides the subscription's lifetime.
class Cancellable {
public:
    Cancellable() = default;
    explicit Cancellable(std::function<void()> onCancel) : onCancel_(std::move(onCancel)) {}
    Cancellable(const Cancellable&) = delete;
    Cancellable& operator=(const Cancellable&) = delete;
    Cancellable(Cancellable&& other) noexcept : onCancel_(std::exchange(other.onCancel_, nullptr)) {}
    Cancellable& operator=(Cancellable&& other) noexcept {
        if (this != &other) {
            cancel();
            onCancel_ = std::exchange(other.onCancel_, nullptr);
        }
        return *this;
    }
    ~Cancellable() { cancel(); }

    void cancel() {
        if (auto action = std::exchange(onCancel_, nullptr)) {
            action();
        }
    }

    // Gives up the token without cancelling: the subscription then lives as long as its source.
    void release() { onCancel_ = nullptr; }

    bool isActive() const { return static_cast<bool>(onCancel_); }

private:
    std::function<void()> onCancel_;
};

// The owner's set of subscriptions (`cancellables`); all are cancelled with the set.
using CancellableSet = std::vector<Cancellable>;

} // namespace zendra
