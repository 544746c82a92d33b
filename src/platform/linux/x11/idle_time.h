#pragma once

#include "watchdog/memory_watchdog.h"

#include <QByteArray>
#include <memory>

namespace zendra::x11 {

class Connection;

// Time since the last user input, as the X server's screensaver extension counts it (keyboard and
// pointer of every client, not only ours). Opens a connection of its own on first use; without an X
// server or the extension the idle time is unknown.
class ScreenSaverIdleTime final : public IdleTimeSource {
public:
    explicit ScreenSaverIdleTime(QByteArray display = {});
    ~ScreenSaverIdleTime() override;

    std::optional<std::chrono::milliseconds> sinceLastInput() override;

private:
    QByteArray display_;
    std::unique_ptr<Connection> connection_;
};

} // namespace zendra::x11
