#include "support/process_table.h"
#include "support/scoped_env.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <xcb/xcb.h>

namespace zendra::test {
namespace {

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

Connection connectFromEnvironment() {
    return Connection(xcb_connect(nullptr, nullptr), &xcb_disconnect);
}

// Waits for an event of `type` (without the synthetic bit) for up to `timeoutMs`.
bool waitForEvent(xcb_connection_t* connection, uint8_t type, int timeoutMs) {
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool match = (event->response_type & 0x7f) == type;
            free(event);
            if (match) {
                return true;
            }
        }
        pollfd request{xcb_get_file_descriptor(connection), POLLIN, 0};
        if (::poll(&request, 1, timeoutMs) <= 0) {
            return false;
        }
    }
}

TEST(XvfbServerTest, ClientConnectsAndMapsAWindowOnTheScreenAsConfigured) {
    const QByteArray outerDisplay = qgetenv("DISPLAY");
    XvfbServer server;
    EXPECT_EQ(qgetenv("DISPLAY"), server.display().toLatin1());
    EXPECT_NE(qgetenv("DISPLAY"), outerDisplay);
    EXPECT_EQ(qgetenv("XAUTHORITY"), QFile::encodeName(server.authorityFile()));

    const Connection connection = connectFromEnvironment();
    ASSERT_EQ(xcb_connection_has_error(connection.get()), 0);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;
    EXPECT_EQ(screen->width_in_pixels, 1920);
    EXPECT_EQ(screen->height_in_pixels, 1080);
    EXPECT_EQ(screen->root_depth, 24);

    const xcb_window_t window = xcb_generate_id(connection.get());
    const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, window, screen->root, 10, 10, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK, &events);
    xcb_map_window(connection.get(), window);
    xcb_flush(connection.get());
    ASSERT_TRUE(waitForEvent(connection.get(), XCB_MAP_NOTIFY, 5000));

    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection.get(), xcb_get_window_attributes(connection.get(), window), nullptr);
    ASSERT_NE(attributes, nullptr);
    EXPECT_EQ(attributes->map_state, XCB_MAP_STATE_VIEWABLE);
    free(attributes);
}

TEST(XvfbServerTest, RefusesClientsWithoutItsCookie) {
    XvfbServer server;
    const ScopedEnv noCookie("XAUTHORITY", QByteArray("/dev/null"));
    const Connection connection = connectFromEnvironment();
    EXPECT_NE(xcb_connection_has_error(connection.get()), 0);
}

TEST(XvfbServerTest, DestructionRestoresTheEnvironmentAndEndsTheServer) {
    const QByteArray outerDisplay = qgetenv("DISPLAY");
    const QByteArray outerAuthority = qgetenv("XAUTHORITY");
    pid_t pid = 0;
    pid_t nestedPid = 0;
    {
        XvfbServer server;
        pid = server.pid();
        {
            XvfbServer nested;
            nestedPid = nested.pid();
            EXPECT_NE(nested.displayNumber(), server.displayNumber());
        }
        EXPECT_FALSE(isAlive(nestedPid));
        EXPECT_EQ(qgetenv("DISPLAY"), server.display().toLatin1());
        EXPECT_EQ(qgetenv("XAUTHORITY"), QFile::encodeName(server.authorityFile()));
    }
    EXPECT_EQ(qgetenv("DISPLAY"), outerDisplay);
    EXPECT_EQ(qgetenv("XAUTHORITY"), outerAuthority);
    EXPECT_FALSE(isAlive(pid));
}

// The executable-wide server of the integration main carries the QApplication.
TEST(XvfbServerTest, QtWindowsAreExposedOnTheExecutableDisplay) {
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QWidget widget;
    widget.resize(320, 200);
    widget.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
}

} // namespace
} // namespace zendra::test
