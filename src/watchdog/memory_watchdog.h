#pragma once

// Relaunches a process that has run for hours, sits idle and has grown large, so that a long session
// does not keep memory that a fresh start would give back.

#include <QDateTime>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace zendra {

// Time since the user last used keyboard or pointer, anywhere on the desktop; nothing when the
// desktop cannot tell (which never counts as idle).
class IdleTimeSource {
public:
    virtual ~IdleTimeSource() = default;
    virtual std::optional<std::chrono::milliseconds> sinceLastInput() = 0;
};

// The process's physical memory footprint in bytes; 0 when it cannot be read.
class MemoryFootprint {
public:
    virtual ~MemoryFootprint() = default;
    virtual std::uint64_t bytes() = 0;
};

class MemoryWatchdog {
public:
    struct Environment {
        std::function<QDateTime()> now;            // default: the system clock
        QDateTime launchDate;                      // when this process started
        IdleTimeSource* idleTime = nullptr;        // none: never idle
        MemoryFootprint* footprint = nullptr;      // none: 0 bytes
        std::function<bool()> isEditWindowVisible; // none: no edit window, not visible
        std::function<bool()> relaunch;            // true when a new instance was started
    };

    static constexpr std::chrono::seconds interval{1200};
    static constexpr std::chrono::seconds minimumUptime{21600};
    static constexpr std::chrono::seconds minimumIdleTime{1200};
    static constexpr std::uint64_t footprintLimit = 200'000'000;

    explicit MemoryWatchdog(Environment environment);

    // Starts the repeating timer (coarse: a late tick costs nothing).
    void start();
    bool isRunning() const { return timer_.isActive(); }

    // All four conditions hold, checked in order; the first that fails ends the check, so the later
    // (costlier) ones are not measured.
    bool shouldRelaunch();
    // One tick: relaunches when shouldRelaunch(). Once a new instance has started the timer stops;
    // when it could not start, this instance runs on and the next tick tries again.
    void tick();

private:
    Environment environment_;
    QTimer timer_;
};

} // namespace zendra
