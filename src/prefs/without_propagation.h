#pragma once

#include <concepts>
#include <utility>

namespace zendra::Prefs {

// Whether the calling thread is inside withoutPropagation; observations ignore changes while it is.
bool isPropagationSuppressed() noexcept;

namespace detail {
void setPropagationSuppressed(bool suppressed) noexcept;
}

// Runs `action` with change propagation off on this thread: every change it causes here reaches no
// observation of this library. Changes made on other threads are unaffected. This is a flag, not a
// counter: a nested call turns propagation back on when its own action ends. Returns what `action`
// returns; the flag is cleared even when `action` throws.
template <std::invocable Action> decltype(auto) withoutPropagation(Action&& action) {
    struct Clear {
        Clear() { detail::setPropagationSuppressed(true); }
        Clear(const Clear&) = delete;
        Clear& operator=(const Clear&) = delete;
        ~Clear() { detail::setPropagationSuppressed(false); }
    } clear;
    return std::forward<Action>(action)();
}

} // namespace zendra::Prefs
