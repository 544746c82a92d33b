#pragma once

// Which of Qt's platform plugins the application starts on, decided before Qt is asked: Qt ends the
// process with a core dump when the plugin it picks is missing or finds no display. And where the
// automatic choice shows the panel item in that session.

#include "panel/panel_host_facts.h"
#include "platform/linux/x11/connection.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zendra {

struct DisplaySession {
    QByteArray requestedPlatform; // $QT_QPA_PLATFORM: names separated by ';', empty when unset
    bool wayland = false;         // a Wayland compositor answers
    bool x11 = false;             // an X server answers (also XWayland)
    bool waylandPlugin = false;   // Qt's Wayland platform plugin is installed
    bool gnome = false;           // the desktop is GNOME ($XDG_CURRENT_DESKTOP)
};

struct DisplayChoice {
    bool canStart = true;
    std::optional<QByteArray> platform; // set $QT_QPA_PLATFORM to this before Qt starts
    QString message;                    // one line for standard error: a notice, or why it cannot start
};

// A request that can work is kept as it is; with both Wayland and X11 usable Qt makes its own choice,
// except on GNOME, whose compositor lets no Wayland client keep a window at the top of the screen:
// there XWayland gives Zendra's own bar its place under the top bar.
// Otherwise the one usable kind is named, and with none the application cannot start.
DisplayChoice chooseDisplay(const DisplaySession& session);

// The session as the process finds it (its description, with the displays tried), with `x11` as its X
// server connection. Keep that connection open until Qt has connected: a server resets when its last
// client leaves, and Qt could connect during the reset and fail.
DisplaySession currentDisplaySession(const x11::Connection& x11);

// The automatic place of the item: a Zendra applet that shows it wins; on Plasma, whose tray shows
// only an icon, Zendra's own window once the applet had its moment to register; elsewhere the tray
// while one shows the item, else the window. Pending (nothing shown yet) while an answer that decides
// is on its way, so that the window does not flash up.
PanelItemSwitch::PanelState chooseAutomaticPanelPlace(const PanelHostFacts& facts);

} // namespace zendra
