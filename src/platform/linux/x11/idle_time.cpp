#include "platform/linux/x11/idle_time.h"

#include "platform/linux/x11/connection.h"

#include <cstdlib>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace zendra::x11 {

ScreenSaverIdleTime::ScreenSaverIdleTime(QByteArray display) : display_(std::move(display)) {}

ScreenSaverIdleTime::~ScreenSaverIdleTime() = default;

std::optional<std::chrono::milliseconds> ScreenSaverIdleTime::sinceLastInput() {
    // A server that went away (or was never there) is tried again at the next query: the watchdog
    // asks once every twenty minutes, so reconnecting costs nothing worth caching.
    if (!connection_ || !connection_->isAlive()) {
        connection_ = std::make_unique<Connection>(display_);
        if (!connection_->isValid() || !connection_->isAlive()) {
            connection_.reset();
            return std::nullopt;
        }
    }
    xcb_connection_t* c = connection_->get();
    const auto cookie = xcb_screensaver_query_info(c, connection_->rootWindow());
    xcb_generic_error_t* error = nullptr;
    xcb_screensaver_query_info_reply_t* reply = xcb_screensaver_query_info_reply(c, cookie, &error);
    std::free(error);
    if (!reply) {
        return std::nullopt;
    }
    const std::chrono::milliseconds idle(reply->ms_since_user_input);
    std::free(reply);
    return idle;
}

} // namespace zendra::x11
