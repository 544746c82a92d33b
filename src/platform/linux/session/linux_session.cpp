#include "platform/linux/session/linux_session.h"

#include <QGuiApplication>

namespace zendra {

LinuxSession LinuxSession::fromEnvironment(const QProcessEnvironment& environment, QString qtPlatform) {
    LinuxSession session;
    session.waylandDisplay = environment.value(QStringLiteral("WAYLAND_DISPLAY"));
    session.x11Display = environment.value(QStringLiteral("DISPLAY"));
    session.sessionType = environment.value(QStringLiteral("XDG_SESSION_TYPE"));
    session.desktop = environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    session.requestedPlatform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    session.qtPlatform = std::move(qtPlatform);
    return session;
}

LinuxSession LinuxSession::current() {
    // Empty until a QGuiApplication has loaded its plugin.
    return fromEnvironment(QProcessEnvironment::systemEnvironment(), QGuiApplication::platformName());
}

SessionKind LinuxSession::kind() const {
    if (waylandDisplay.isEmpty()) {
        return SessionKind::x11;
    }
    return x11Display.isEmpty() ? SessionKind::waylandOnly : SessionKind::waylandWithXWayland;
}

bool LinuxSession::hasSystemWideKeyGrabs() const {
    return qtPlatform != QLatin1String("wayland") && sessionType != QLatin1String("wayland");
}

bool LinuxSession::isGnome() const {
    return desktop.toUpper().split(u':').contains(QLatin1String("GNOME"));
}

QString LinuxSession::typeName() const {
    if (!sessionType.isEmpty()) {
        return sessionType;
    }
    if (kind() != SessionKind::x11) {
        return QStringLiteral("wayland");
    }
    return x11Display.isEmpty() ? QString() : QStringLiteral("x11");
}

} // namespace zendra
