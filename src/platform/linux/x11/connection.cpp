#include "platform/linux/x11/connection.h"

#include <xcb/xcb.h>

namespace zendra::x11 {

Connection::Connection(const QByteArray& display) {
    int screenNumber = 0;
    xcb_connection_t* connection =
        xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return;
    }
    auto iterator = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && iterator.rem > 0; ++i) {
        xcb_screen_next(&iterator);
    }
    if (iterator.rem == 0 || iterator.data == nullptr) {
        xcb_disconnect(connection);
        return;
    }
    connection_ = connection;
    root_ = iterator.data->root;
}

Connection::~Connection() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
}

bool Connection::isAlive() const {
    return connection_ != nullptr && xcb_connection_has_error(connection_) == 0;
}

int Connection::fileDescriptor() const {
    return connection_ != nullptr ? xcb_get_file_descriptor(connection_) : -1;
}

} // namespace zendra::x11
