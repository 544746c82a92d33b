#include "watchdog/memory_watchdog.h"

namespace zendra {

MemoryWatchdog::MemoryWatchdog(Environment environment) : environment_(std::move(environment)) {
    if (!environment_.now) {
        environment_.now = [] { return QDateTime::currentDateTimeUtc(); };
    }
    timer_.setInterval(interval);
    timer_.setTimerType(Qt::VeryCoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void MemoryWatchdog::start() {
    timer_.start();
}

bool MemoryWatchdog::shouldRelaunch() {
    const auto& env = environment_;
    if (!env.launchDate.isValid()) {
        return false;
    }
    const qint64 uptimeMs = env.launchDate.msecsTo(env.now());
    if (uptimeMs < std::chrono::milliseconds(minimumUptime).count()) {
        return false;
    }
    const auto idle = env.idleTime ? env.idleTime->sinceLastInput() : std::nullopt;
    if (!idle || *idle < minimumIdleTime) {
        return false;
    }
    if (env.isEditWindowVisible && env.isEditWindowVisible()) {
        return false;
    }
    const std::uint64_t footprint = env.footprint ? env.footprint->bytes() : 0;
    return footprint >= footprintLimit;
}

void MemoryWatchdog::tick() {
    if (!shouldRelaunch() || !environment_.relaunch) {
        return;
    }
    if (environment_.relaunch()) {
        timer_.stop();
    }
}

} // namespace zendra
