#pragma once

// The graphical session the process runs in, described once from its environment (and, once Qt has
// started, Qt's platform plugin); everything that depends on the kind of session asks this description.

#include <QProcessEnvironment>
#include <QString>

namespace zendra {

enum class SessionKind {
    x11,                 // no Wayland compositor: an X server, if any, is the session's
    waylandWithXWayland, // a Wayland compositor that also offers an X server for X11 clients
    waylandOnly,         // a Wayland compositor without an X server
};

struct LinuxSession {
    QString waylandDisplay;    // $WAYLAND_DISPLAY: the compositor's socket, empty without one
    QString x11Display;        // $DISPLAY: the X server (also XWayland), empty without one
    QString sessionType;       // $XDG_SESSION_TYPE as the login manager set it ("x11", "wayland", "tty")
    QString desktop;           // $XDG_CURRENT_DESKTOP: names separated by ':'
    QString requestedPlatform; // $QT_QPA_PLATFORM: plugin names separated by ';'
    QString qtPlatform;        // Qt's platform plugin ("xcb", "wayland"); empty before Qt starts

    static LinuxSession fromEnvironment(const QProcessEnvironment& environment, QString qtPlatform = {});
    // The process's session as it is now, with Qt's platform plugin once a QGuiApplication runs.
    static LinuxSession current();

    SessionKind kind() const;
    // Key grabs on the X server serve the global shortcuts (for X11 clients only under XWayland).
    bool hasX11KeyGrabs() const { return kind() != SessionKind::waylandOnly; }
    // The desktop binds the global shortcuts itself, through its portal: a Wayland compositor lets no
    // application grab keys.
    bool bindsShortcutsOnDesktop() const { return kind() != SessionKind::x11; }
    // Keys grabbed by the application reach it whatever window has the focus: neither the login
    // session nor Qt's platform is Wayland.
    bool hasSystemWideKeyGrabs() const;
    // Qt's windows are X11 windows, which Zendra's own X connections can address.
    bool qtOnX11() const { return qtPlatform == QLatin1String("xcb"); }
    // Qt's windows are Wayland surfaces ("wayland", "wayland-egl"): the compositor places them.
    bool qtOnWayland() const { return qtPlatform.startsWith(QLatin1String("wayland")); }
    // A display server is named, so a GUI application can start (Qt aborts without one).
    bool hasDisplay() const { return !waylandDisplay.isEmpty() || !x11Display.isEmpty(); }
    bool isGnome() const;
    // The session type for a report: the login manager's word, else what the displays suggest;
    // empty when nothing tells.
    QString typeName() const;
};

} // namespace zendra
