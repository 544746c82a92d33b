#include "platform/linux/panel_item_backends.h"

#include "base/identity.h"
#include "platform/linux/dbus/panel_appearance_portal.h"
#include "platform/linux/dbus/status_notifier_item.h"
#include "platform/linux/item_window.h"
#include "platform/linux/panel_with_applet.h"
#include "platform/linux/x11/keyboard_modifiers.h"

#include <cstdio>

namespace zendra::linux_panel {

PanelItemBackends makePanelItemBackends(PanelItemBackend backend,
                                        std::function<std::vector<StatusItemMenuEntry>()> buildMenu,
                                        PanelPlaceChoice choosePlace) {
    PanelItemBackends backends;
    if (backend != PanelItemBackend::window) {
        StatusNotifierItem::Options options;
        options.id = QString::fromUtf8(identity::bundleIdentifier);
        options.title = QString::fromUtf8(identity::applicationName);
        options.menu = std::move(buildMenu);
        options.modifiers = std::make_shared<x11::XcbKeyboardModifiers>();
        auto notifier = std::make_unique<StatusNotifierItem>(std::move(options));
        if (notifier->serviceName().isEmpty()) {
            notifier.reset();
        }
        auto applet = std::make_unique<PanelAppletItem>(PanelAppletItem::Options{});
        if (notifier || applet->isExported()) {
            auto panel = std::make_unique<PanelWithApplet>(std::move(notifier), std::move(applet));
            backends.panelState = [item = panel.get(), choose = std::move(choosePlace)] {
                return choose(item->facts());
            };
            backends.panel = std::move(panel);
        } else if (backend == PanelItemBackend::statusNotifier) {
            // In the automatic mode the window is expected anyway; only a forced choice is news.
            std::fprintf(stderr, "zendra: showing the item in a window of its own instead\n");
        }
    }
    if (!backends.panel || backend == PanelItemBackend::automatic) {
        auto window = std::make_unique<ItemWindow>();
        backends.setWindowShown = [item = window.get()](bool shown) { item->setVisible(shown); };
        backends.window = std::move(window);
    }
    backends.appearance = std::make_unique<PortalPanelAppearance>();
    return backends;
}

} // namespace zendra::linux_panel
