#include "platform/linux/desktop_shortcuts.h"

#include "base/identity.h"
#include "hotkeys/hotkeys.h"
#include "platform/linux/dbus/global_shortcuts_portal.h"
#include "platform/linux/x11/hotkeys_environment.h"
#include "prefs/standard_suite.h"
#include "settings/shortcut_names.h"

#include <QCoreApplication>

namespace zendra {

Hotkeys::Environment hotkeysEnvironmentForSession(const LinuxSession& session) {
    if (!session.hasX11KeyGrabs()) {
        return {Prefs::standardSuite(), nullptr, nullptr, nullptr};
    }
    return x11::hotkeysEnvironment();
}

std::unique_ptr<Hotkeys::DesktopShortcuts> bindShortcutsOnDesktop(const LinuxSession& session) {
    if (!session.bindsShortcutsOnDesktop()) {
        return nullptr;
    }
    auto portal = std::make_unique<GlobalShortcutsPortal>(QString::fromUtf8(identity::bundleIdentifier));
    std::vector<std::pair<Hotkeys::Name, QString>> shortcuts;
    for (const UserAction action : Settings::actionsWithShortcuts()) {
        shortcuts.emplace_back(*Settings::shortcutName(action),
                               translatedShortcutDescription(userActionEntry(action)));
    }
    Hotkeys::bindDesktopShortcuts(*portal, shortcuts);
    return portal;
}

} // namespace zendra
