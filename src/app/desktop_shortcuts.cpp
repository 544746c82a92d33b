#include "app/desktop_shortcuts.h"

#include "hotkeys/hotkeys.h"
#include "platform/linux/dbus/global_shortcuts_portal.h"
#include "settings/shortcut_names.h"

#include <QCoreApplication>

namespace zendra {

std::unique_ptr<Hotkeys::DesktopShortcuts> bindShortcutsOnDesktop() {
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return nullptr;
    }
    auto portal = std::make_unique<GlobalShortcutsPortal>();
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
