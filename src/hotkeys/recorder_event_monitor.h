#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

class QEvent;

namespace zendra::Hotkeys {

// An in-application event monitor: while it runs, it sees the key presses and mouse releases meant for
// any widget or window of the application before they are delivered, and may discard them.
class LocalEventMonitor {
public:
    // Event kinds, as bits of the mask (the bit numbers are the key event type numbers).
    enum Kind : std::uint64_t {
        leftMouseUp = 1u << 2,
        rightMouseUp = 1u << 4,
        keyDown = 1u << 10,
    };

    // Returns true to discard the event, false to pass it on.
    using Callback = std::function<bool(QEvent& event)>;

    LocalEventMonitor(std::uint64_t mask, Callback callback);
    ~LocalEventMonitor();
    LocalEventMonitor(const LocalEventMonitor&) = delete;
    LocalEventMonitor& operator=(const LocalEventMonitor&) = delete;

    // Installs the monitor on the application (no effect without one or when running).
    void start();
    // Removes it. Safe from inside the callback: the callback is not called again.
    void stop();

    bool isRunning() const { return filter_ != nullptr; }

private:
    class Filter;
    std::uint64_t mask_;
    Callback callback_;
    Filter* filter_ = nullptr; // owned; deleted later, as it may be inside its own callback
};

} // namespace zendra::Hotkeys
