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
    Hotkeys::bindDesktopShortcuts(
        *portal,
        {{Settings::toggleEditWindow(),
          QCoreApplication::translate("zendra::DesktopShortcuts", "Show or hide Zendra's editor")},
         {Settings::clearText(),
          QCoreApplication::translate("zendra::DesktopShortcuts", "Clear Zendra's text")},
         {Settings::setTextFromClipboard(),
          QCoreApplication::translate("zendra::DesktopShortcuts", "Set Zendra's text from the clipboard")}});
    return portal;
}

} // namespace zendra
