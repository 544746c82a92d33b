#include "panel/panel_status_item.h"

#include "panel/status_item_screen.h"

namespace zendra {

namespace {

class PanelStatusItem final : public StatusItem {
public:
    PanelStatusItem(PanelItemBackends backends, StatusItemCallbacks callbacks)
        : backends_(std::move(backends)) {
        if (!backends_.appearance) {
            backends_.appearance = std::make_unique<FixedPanelAppearance>();
        }
        if (backends_.panel && backends_.window) {
            switch_ = std::make_unique<PanelItemSwitch>(
                PanelItemSwitch::Panel{*backends_.panel, backends_.panelState},
                PanelItemSwitch::Window{*backends_.window, backends_.setWindowShown});
        }
        screen_ = std::make_unique<StatusItemScreen>(
            barItem(), *backends_.appearance,
            StatusItemScreen::Actions{std::move(callbacks.shortcutReleased)});
        screen_->setClickHandler(std::move(callbacks.clicked));
        if (backends_.window && !switch_ && backends_.setWindowShown) {
            backends_.setWindowShown(true);
        }
    }

    ~PanelStatusItem() override {
        // The view lets go of the item before the backends go.
        screen_.reset();
        switch_.reset();
    }

    bool popUpMenu(QMenu& menu) override { return barItem().popUpMenu(menu); }

    bool isOnScreen() const override { return barItem().isOnScreen(); }

    bool isAwaitingHost() const override { return barItem().isAwaitingHost(); }

    std::optional<QRect> anchorRect() const override { return barItem().anchorRect(); }

private:
    StatusBarItem& barItem() const {
        if (switch_) {
            return *switch_;
        }
        return backends_.panel ? *backends_.panel : *backends_.window;
    }

    PanelItemBackends backends_;
    std::unique_ptr<PanelItemSwitch> switch_;
    std::unique_ptr<StatusItemScreen> screen_;
};

} // namespace

std::unique_ptr<StatusItem> makePanelStatusItem(PanelItemBackends backends, StatusItemCallbacks callbacks) {
    return std::make_unique<PanelStatusItem>(std::move(backends), std::move(callbacks));
}

} // namespace zendra
