// Window activation on the private X server, watched as a window manager would see it: the request
// arrives as _NET_ACTIVE_WINDOW from a user, once the window is on screen, with the server time that
// the window also carries as its user time.
#include "platform/linux/x11/connection.h"
#include "platform/linux/x11/window_activation.h"
#include "support/wait_until.h"

#include <QCoreApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

using namespace zendra;

namespace {

using namespace std::chrono_literals;

struct ActivationRequest {
    xcb_window_t window = 0;
    std::uint32_t source = 0;
    std::uint32_t time = 0;
};

// Listens on the root window for the client messages a window manager receives.
class RootListener {
public:
    RootListener() {
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x.get(), x.rootWindow(), XCB_CW_EVENT_MASK, &mask);
        xcb_flush(x.get());
        activeWindow = atom("_NET_ACTIVE_WINDOW");
        userTime = atom("_NET_WM_USER_TIME");
    }

    std::optional<ActivationRequest> nextRequest() {
        std::optional<ActivationRequest> request;
        test::waitUntil(
            [&] {
                while (auto* event = xcb_poll_for_event(x.get())) {
                    std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
                    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
                        continue;
                    }
                    const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                    if (message->type == activeWindow) {
                        request = ActivationRequest{message->window, message->data.data32[0],
                                                    message->data.data32[1]};
                        return true;
                    }
                }
                return false;
            },
            3s);
        return request;
    }

    // The time a window manager reads for `window`, through its user-time window when it names one.
    std::uint32_t userTimeOf(xcb_window_t window) {
        if (const auto other = property(window, atom("_NET_WM_USER_TIME_WINDOW"), XCB_ATOM_WINDOW)) {
            window = *other;
        }
        return property(window, userTime, XCB_ATOM_CARDINAL).value_or(0);
    }

private:
    std::optional<std::uint32_t> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        const auto cookie = xcb_get_property(x.get(), 0, window, name, type, 0, 1);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(x.get(), cookie, nullptr), &std::free);
        if (!reply || xcb_get_property_value_length(reply.get()) != 4) {
            return std::nullopt;
        }
        return *static_cast<std::uint32_t*>(xcb_get_property_value(reply.get()));
    }

    xcb_atom_t atom(const char* name) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                x.get(), xcb_intern_atom(x.get(), 0, std::uint16_t(std::strlen(name)), name), nullptr),
            &std::free);
        return reply ? reply->atom : 0;
    }

    x11::Connection x;
    xcb_atom_t activeWindow = 0;
    xcb_atom_t userTime = 0;
};

TEST(WindowActivation, AsksAsAUserOnceTheWindowIsShownAndAgainForAShownWindow) {
    RootListener manager;
    QWidget window;
    window.resize(200, 100);

    x11::activateWindow(window);
    ASSERT_TRUE(window.isVisible());
    const auto first = manager.nextRequest();
    ASSERT_TRUE(first) << "a hidden window is asked for once it is on screen";
    EXPECT_EQ(first->window, xcb_window_t(window.winId()));
    EXPECT_EQ(first->source, 2u) << "as a user's request";
    EXPECT_NE(first->time, 0u);
    EXPECT_EQ(manager.userTimeOf(first->window), first->time) << "the window carries the same time";

    x11::activateWindow(window);
    const auto second = manager.nextRequest();
    ASSERT_TRUE(second) << "a window already shown is asked for at once";
    EXPECT_GE(second->time, first->time) << "with the server's time now, not an old one";
    EXPECT_FALSE(manager.nextRequest()) << "one request per call";
}

} // namespace
