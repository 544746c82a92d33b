#include "app/display_choice.h"

#include "platform/linux/display_probe.h"
#include "platform/linux/session/linux_session.h"

#include <QCoreApplication>
#include <QList>

namespace zendra {

namespace {

QString waylandPluginMissing() {
    return QCoreApplication::translate("zendra::cli",
                                       "Qt's Wayland platform plugin is not installed (Debian package %1)")
        .arg(QLatin1String("qt6-wayland"));
}

// A requested plugin name ("wayland-egl", "xcb:option=1") can work in this session.
bool usable(QByteArray name, const DisplaySession& session) {
    if (const qsizetype colon = name.indexOf(':'); colon >= 0) {
        name.truncate(colon);
    }
    name = name.trimmed();
    if (name.startsWith("wayland")) {
        return session.wayland && session.waylandPlugin;
    }
    if (name == "xcb") {
        return session.x11;
    }
    return !name.isEmpty(); // offscreen, vnc and the like need no display server
}

DisplayChoice automatic(const DisplaySession& session) {
    const bool wayland = session.wayland && session.waylandPlugin;
    if (wayland && session.x11) {
        return session.gnome ? DisplayChoice{true, QByteArray("xcb"), {}} : DisplayChoice{};
    }
    if (wayland) {
        return {true, QByteArray("wayland"), {}};
    }
    if (session.x11) {
        DisplayChoice choice{true, QByteArray("xcb"), {}};
        if (session.wayland) {
            choice.message = QCoreApplication::translate("zendra::cli", "%1; running through XWayland")
                                 .arg(waylandPluginMissing());
        }
        return choice;
    }
    if (session.wayland) {
        return {false, std::nullopt,
                QCoreApplication::translate("zendra::cli",
                                            "%1, and there is no X11 display (XWayland) to use instead")
                    .arg(waylandPluginMissing())};
    }
    return {false, std::nullopt,
            QCoreApplication::translate(
                "zendra::cli",
                "needs a display: found no X11 display or Wayland compositor (%1, %2); start it in a "
                "graphical session")
                .arg(QLatin1String("DISPLAY"), QLatin1String("WAYLAND_DISPLAY"))};
}

} // namespace

DisplayChoice chooseDisplay(const DisplaySession& session) {
    const QList<QByteArray> requested = session.requestedPlatform.split(';');
    if (session.requestedPlatform.trimmed().isEmpty()) {
        return automatic(session);
    }
    for (const QByteArray& name : requested) {
        if (usable(name, session)) {
            return {};
        }
    }
    DisplayChoice choice = automatic(session);
    if (choice.canStart) {
        const QString instead =
            QCoreApplication::translate("zendra::cli", "cannot use %1=%2; using %3")
                .arg(QLatin1String("QT_QPA_PLATFORM"), QString::fromLocal8Bit(session.requestedPlatform),
                     QString::fromLatin1(choice.platform.value_or(QByteArray())));
        choice.message = choice.message.isEmpty() ? instead : instead + QLatin1String(": ") + choice.message;
    }
    return choice;
}

PanelItemSwitch::PanelState chooseAutomaticPanelPlace(const PanelHostFacts& facts) {
    using State = PanelItemSwitch::PanelState;
    using Notifier = PanelHostFacts::Notifier;
    if (facts.appletHosted) {
        return State::hosted;
    }
    if (!facts.plasmaShell) {
        return State::pending;
    }
    if (*facts.plasmaShell) {
        return facts.appletWaitOver ? State::unhosted : State::pending;
    }
    switch (facts.notifier) {
    case Notifier::unknown:
        return State::pending;
    case Notifier::hosted:
        return State::hosted;
    case Notifier::unhosted:
        break;
    }
    return State::unhosted;
}

DisplaySession currentDisplaySession(const x11::Connection& x11) {
    const LinuxSession current = LinuxSession::current();
    DisplaySession session;
    session.requestedPlatform = current.requestedPlatform.toLocal8Bit();
    session.wayland = linux_display::waylandDisplayReachable(current.waylandDisplay.toLocal8Bit());
    session.x11 = !current.x11Display.isEmpty() && x11.isAlive();
    session.waylandPlugin = linux_display::qtWaylandPluginInstalled();
    session.gnome = current.isGnome();
    return session;
}

} // namespace zendra
