// Test main for integration tests (MAIN integration in zendra_add_test; the default for integration/
// folders without a main.cpp of their own). Before the QApplication exists it starts, for the whole
// executable:
//   - temporary XDG folders (a test that writes settings still makes its own TempXdgDirs),
//   - a private X server (XvfbServer): DISPLAY and XAUTHORITY point at it, and the QApplication runs on
//     it with the xcb platform unless QT_QPA_PLATFORM says otherwise,
//   - a private session bus (SessionBus): DBUS_SESSION_BUS_ADDRESS points at it, so
//     QDBusConnection::sessionBus() and every ChildProcess the test starts use it.
// A test therefore just shows windows, talks D-Bus or starts the real binary; waitUntil() spins the
// event loop while it waits. Everything is ended after the last test, in reverse order, and nothing
// outlives the process even when it is killed.
#include "support/session_bus.h"
#include "support/temp_xdg_dirs.h"
#include "support/xvfb_server.h"

#include <QApplication>
#include <exception>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::optional<zendra::test::TempXdgDirs> xdg;
    std::optional<zendra::test::XvfbServer> display;
    std::optional<zendra::test::SessionBus> bus;
    try {
        xdg.emplace();
        display.emplace();
        bus.emplace();
    } catch (const std::exception& e) {
        std::cerr << "Integration test fixtures did not start: " << e.what() << '\n';
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
