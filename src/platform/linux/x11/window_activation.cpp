#include "platform/linux/x11/window_activation.h"

#include "platform/linux/session/linux_session.h"
#include "platform/linux/x11/connection.h"

#include <QDebug>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

namespace zendra::x11 {

namespace {

// A source indication of 2 marks a request made for the user by a pager or tool, not one the
// application makes on its own.
constexpr std::uint32_t userRequestSource = 2;

std::optional<xcb_atom_t> atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? std::optional(reply->atom) : std::nullopt;
}

// The server's current time: the time stamp of a property change on a window of our own.
std::optional<xcb_timestamp_t> serverTime(const Connection& x, xcb_atom_t property) {
    xcb_connection_t* c = x.get();
    const xcb_window_t probe = xcb_generate_id(c);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, x.rootWindow(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    xcb_change_property(c, XCB_PROP_MODE_APPEND, probe, property, XCB_ATOM_CARDINAL, 32, 0, nullptr);
    xcb_flush(c);
    std::optional<xcb_timestamp_t> time;
    while (!time) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(c), &std::free);
        if (!event) {
            break; // the connection is gone
        }
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            time = reinterpret_cast<xcb_property_notify_event_t*>(event.get())->time;
        }
    }
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    return time;
}

// The window that carries the user time of `window`: the one its _NET_WM_USER_TIME_WINDOW names, or
// the window itself.
xcb_window_t userTimeWindow(xcb_connection_t* c, xcb_window_t window) {
    const auto property = atom(c, "_NET_WM_USER_TIME_WINDOW");
    if (!property) {
        return window;
    }
    const auto cookie = xcb_get_property(c, 0, window, *property, XCB_ATOM_WINDOW, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) != sizeof(xcb_window_t)) {
        return window;
    }
    return *static_cast<xcb_window_t*>(xcb_get_property_value(reply.get()));
}

void requestActivation(xcb_window_t window) {
    const Connection x;
    if (!x.isValid()) {
        return;
    }
    xcb_connection_t* c = x.get();
    const auto activeWindow = atom(c, "_NET_ACTIVE_WINDOW");
    const auto userTime = atom(c, "_NET_WM_USER_TIME");
    if (!activeWindow || !userTime) {
        return;
    }
    const auto now = serverTime(x, *userTime);
    if (!now) {
        return;
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, userTimeWindow(c, window), *userTime, XCB_ATOM_CARDINAL, 32,
                        1, &*now);

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = *activeWindow;
    message.data.data32[0] = userRequestSource;
    message.data.data32[1] = *now;
    // Checked, so that the request has reached the server before the connection closes.
    const auto sent = xcb_send_event_checked(
        c, 0, x.rootWindow(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&message));
    if (xcb_generic_error_t* error = xcb_request_check(c, sent)) {
        qWarning("zendra: the window manager was not asked to activate a window (X error %d)",
                 int(error->error_code));
        std::free(error);
    }
}

// Asks once the window manager has put the window on screen: a request for a window it has not
// mapped yet is ignored.
class ActivateWhenExposed final : public QObject {
public:
    explicit ActivateWhenExposed(QWindow* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            window->removeEventFilter(this); // once: more expose events may follow
            deleteLater();
            requestActivation(xcb_window_t(window->winId()));
        }
        return false;
    }
};

} // namespace

void activateWindow(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
    if (!LinuxSession::current().qtOnX11()) {
        return;
    }
    QWindow* handle = window.windowHandle();
    if (!handle) {
        return;
    }
    if (handle->isExposed()) {
        requestActivation(xcb_window_t(handle->winId()));
    } else if (!handle->findChild<ActivateWhenExposed*>(QString(), Qt::FindDirectChildrenOnly)) {
        new ActivateWhenExposed(handle);
    }
}

} // namespace zendra::x11
