#include "app/app_panel_item.h"

#include "app/identity.h"
#include "app/panel_item_switch.h"
#include "app/status_item_screen.h"
#include "platform/linux/item_window.h"
#include "platform/linux/keyboard_modifiers_xcb.h"
#include "platform/linux/panel_appearance_portal.h"
#include "platform/linux/status_notifier_item.h"

#include <cstdio>

namespace zendra {

namespace {

using HostState = StatusNotifierWatcherClient::HostState;

PanelItemSwitch::PanelState panelState(HostState state) {
    switch (state) {
    case HostState::unknown:
        return PanelItemSwitch::PanelState::pending;
    case HostState::hosted:
        return PanelItemSwitch::PanelState::hosted;
    case HostState::unhosted:
        break;
    }
    return PanelItemSwitch::PanelState::unhosted;
}

class PanelStatusItem final : public StatusItem {
public:
    PanelStatusItem(PanelItemBackend backend, StatusItemCallbacks callbacks) {
        if (backend != PanelItemBackend::window) {
            StatusNotifierItem::Options options;
            options.id = QString::fromUtf8(identity::bundleIdentifier);
            options.title = QString::fromUtf8(identity::applicationName);
            options.menu = std::move(callbacks.buildMenu);
            options.modifiers = std::make_shared<x11::XcbKeyboardModifiers>();
            panel_ = std::make_unique<StatusNotifierItem>(std::move(options));
            if (panel_->serviceName().isEmpty()) {
                // In the automatic mode the window is expected anyway; only a forced choice is news.
                if (backend == PanelItemBackend::statusNotifier) {
                    std::fprintf(stderr, "zendra: showing the item in a window of its own instead\n");
                }
                panel_.reset();
            }
        }
        if (!panel_ || backend == PanelItemBackend::automatic) {
            window_ = std::make_unique<ItemWindow>();
        }
        if (panel_ && window_) {
            switch_ = std::make_unique<PanelItemSwitch>(
                PanelItemSwitch::Panel{*panel_,
                                       [panel = panel_.get()] { return panelState(panel->hostState()); }},
                PanelItemSwitch::Window{*window_,
                                        [window = window_.get()](bool shown) { window->setVisible(shown); }});
        }
        screen_ = std::make_unique<StatusItemScreen>(
            barItem(), appearance_, StatusItemScreen::Actions{std::move(callbacks.toggleEditWindow)});
        screen_->setClickHandler(std::move(callbacks.clicked));
        if (window_ && !switch_) {
            window_->show();
        }
    }

    ~PanelStatusItem() override {
        // The view lets go of the item before the backends go.
        screen_.reset();
    }

    bool popUpMenu(QMenu& menu) override { return barItem().popUpMenu(menu); }

    bool isOnScreen() const override { return barItem().isOnScreen(); }

private:
    StatusBarItem& barItem() const {
        if (switch_) {
            return *switch_;
        }
        return panel_ ? static_cast<StatusBarItem&>(*panel_) : static_cast<StatusBarItem&>(*window_);
    }

    PortalPanelAppearance appearance_;
    std::unique_ptr<StatusNotifierItem> panel_;
    std::unique_ptr<ItemWindow> window_;
    std::unique_ptr<PanelItemSwitch> switch_;
    std::unique_ptr<StatusItemScreen> screen_;
};

} // namespace

std::optional<PanelItemBackend> parsePanelItemBackend(QStringView name) {
    if (name == u"auto") {
        return PanelItemBackend::automatic;
    }
    if (name == u"window") {
        return PanelItemBackend::window;
    }
    if (name == u"statusnotifier") {
        return PanelItemBackend::statusNotifier;
    }
    return std::nullopt;
}

PanelItemBackend panelItemBackendFromEnvironment() {
    const QString value = qEnvironmentVariable("ZENDRA_PANEL_ITEM");
    if (value.isEmpty()) {
        return PanelItemBackend::automatic;
    }
    if (const auto backend = parsePanelItemBackend(value)) {
        return *backend;
    }
    std::fprintf(stderr, "zendra: ignoring ZENDRA_PANEL_ITEM=%s (auto, window or statusnotifier)\n",
                 qPrintable(value));
    return PanelItemBackend::automatic;
}

std::unique_ptr<StatusItem> makePanelStatusItem(PanelItemBackend backend, StatusItemCallbacks callbacks) {
    return std::make_unique<PanelStatusItem>(backend, std::move(callbacks));
}

} // namespace zendra
