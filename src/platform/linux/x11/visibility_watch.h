#pragma once

// Whether a window is fully covered by others. The toolkit keeps a covered window "exposed", so the
// watch asks the X server itself: it selects visibility events on the window over a connection of its
// own (event selections are per client, so the toolkit's own are untouched). Under a compositing
// window manager the server reports every window as visible; the watch then never reports it covered.

#include "platform/linux/x11/connection.h"

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace zendra::x11 {

class VisibilityWatch {
public:
    // `changed` runs on the main thread whenever fullyObscured() changes. Without an X server the watch
    // reports nothing.
    VisibilityWatch(std::uint32_t window, std::function<void()> changed);
    ~VisibilityWatch();
    VisibilityWatch(const VisibilityWatch&) = delete;
    VisibilityWatch& operator=(const VisibilityWatch&) = delete;

    bool fullyObscured() const { return obscured_; }

private:
    void readEvents();

    Connection connection_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> changed_;
    bool obscured_ = false;
};

} // namespace zendra::x11
