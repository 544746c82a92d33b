#include "panel/panel_item_switch.h"

namespace zendra {

PanelItemSwitch::PanelItemSwitch(Panel panel, Window window)
    : panel_(std::move(panel)), window_(std::move(window)) {
    setEvents({});
    update();
}

StatusBarItem& PanelItemSwitch::active() const {
    return panel_.state() == PanelState::unhosted ? window_.item : panel_.item;
}

void PanelItemSwitch::update() {
    const bool show = panel_.state() == PanelState::unhosted;
    if (!updated_ || show != windowShown_) {
        updated_ = true;
        windowShown_ = show;
        window_.setShown(show);
    }
}

void PanelItemSwitch::setEvents(StatusBarEvents events) {
    geometryChanged_ = events.geometryChanged;
    StatusBarEvents panelEvents;
    panelEvents.clicked = events.clicked;
    panelEvents.geometryChanged = [this] {
        update();
        if (geometryChanged_) {
            geometryChanged_();
        }
    };
    panel_.item.setEvents(std::move(panelEvents));
    window_.item.setEvents(std::move(events));
}

void PanelItemSwitch::setImage(const QImage& image, QSizeF logicalSize) {
    panel_.item.setImage(image, logicalSize);
    window_.item.setImage(image, logicalSize);
}

void PanelItemSwitch::setDarkAppearance(bool dark) {
    panel_.item.setDarkAppearance(dark);
    window_.item.setDarkAppearance(dark);
}

void PanelItemSwitch::setToolTip(const std::optional<QString>& toolTip) {
    panel_.item.setToolTip(toolTip);
    window_.item.setToolTip(toolTip);
}

void PanelItemSwitch::setLabel(const QString& label) {
    panel_.item.setLabel(label);
    window_.item.setLabel(label);
}

bool PanelItemSwitch::setContentScale(double scale) {
    return active().setContentScale(scale);
}

qreal PanelItemSwitch::devicePixelRatio() const {
    return window_.item.devicePixelRatio();
}

bool PanelItemSwitch::popUpMenu(QMenu& menu) {
    return active().popUpMenu(menu);
}

bool PanelItemSwitch::isOnScreen() const {
    return active().isOnScreen();
}

bool PanelItemSwitch::isAwaitingHost() const {
    return panel_.state() == PanelState::pending;
}

std::optional<QRect> PanelItemSwitch::anchorRect() const {
    return active().anchorRect();
}

} // namespace zendra
