#include "platform/linux/session/linux_session.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

LinuxSession session(const char* wayland, const char* display, const char* type,
                     const char* qtPlatform = "") {
    QProcessEnvironment environment;
    environment.insert("WAYLAND_DISPLAY", wayland);
    environment.insert("DISPLAY", display);
    environment.insert("XDG_SESSION_TYPE", type);
    return LinuxSession::fromEnvironment(environment, qtPlatform);
}

TEST(LinuxSessionTest, TheDisplaysDecideTheKindAndWhoBindsTheShortcuts) {
    struct Row {
        LinuxSession session;
        SessionKind kind;
        bool x11Grabs;
        bool onDesktop;
        bool systemWide;
        const char* typeName;
    };
    const Row rows[] = {
        {session("", ":0", "x11", "xcb"), SessionKind::x11, true, false, true, "x11"},
        {session("", ":0", "", "xcb"), SessionKind::x11, true, false, true, "x11"},
        // XWayland: grabs reach X11 clients only, so the desktop binds the shortcuts as well.
        {session("wayland-0", ":0", "wayland", "xcb"), SessionKind::waylandWithXWayland, true, true, false,
         "wayland"},
        {session("wayland-0", ":1", "", "xcb"), SessionKind::waylandWithXWayland, true, true, true,
         "wayland"},
        {session("wayland-0", "", "wayland", "wayland"), SessionKind::waylandOnly, false, true, false,
         "wayland"},
        {session("/run/user/1000/wayland-1", "", "", "wayland"), SessionKind::waylandOnly, false, true, false,
         "wayland"},
        // A variable set to nothing names no display; the login manager's type is reported as it is.
        {session("", "", "tty"), SessionKind::x11, true, false, true, "tty"},
        {session("", "", ""), SessionKind::x11, true, false, true, ""},
    };
    for (const Row& row : rows) {
        const auto& name = row.session.waylandDisplay + '|' + row.session.x11Display + '|' +
                           row.session.sessionType + '|' + row.session.qtPlatform;
        EXPECT_EQ(row.session.kind(), row.kind) << name.toStdString();
        EXPECT_EQ(row.session.hasX11KeyGrabs(), row.x11Grabs) << name.toStdString();
        EXPECT_EQ(row.session.bindsShortcutsOnDesktop(), row.onDesktop) << name.toStdString();
        EXPECT_EQ(row.session.hasSystemWideKeyGrabs(), row.systemWide) << name.toStdString();
        EXPECT_EQ(row.session.typeName(), QLatin1String(row.typeName)) << name.toStdString();
    }

    QProcessEnvironment desktops;
    desktops.insert("XDG_CURRENT_DESKTOP", "ubuntu:gnome");
    EXPECT_TRUE(LinuxSession::fromEnvironment(desktops).isGnome());
    desktops.insert("XDG_CURRENT_DESKTOP", "GNOME-Flashback:Unity");
    EXPECT_FALSE(LinuxSession::fromEnvironment(desktops).isGnome());
}

} // namespace
