#include "platform/linux/status_notifier_object.h"

#include <algorithm>

namespace zendra {

namespace {

bool samePixmaps(const panel_dbus::IconPixmapList& a, const panel_dbus::IconPixmapList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.width == y.width && x.height == y.height && x.bytes == y.bytes;
    });
}

void call(const std::function<void(QPoint)>& request, int x, int y) {
    if (request) {
        request(QPoint(x, y));
    }
}

} // namespace

StatusNotifierObject::StatusNotifierObject(Identity identity, Requests requests, QObject* parent)
    : QObject(parent), identity_(std::move(identity)), requests_(std::move(requests)) {
    panel_dbus::registerPanelDBusTypes();
}

void StatusNotifierObject::setIcon(const panel_dbus::IconPixmapList& icon) {
    if (!samePixmaps(icon, icon_)) {
        icon_ = icon;
        emit NewIcon();
    }
}

void StatusNotifierObject::setToolTip(const panel_dbus::ToolTip& toolTip) {
    if (toolTip.title != toolTip_.title || toolTip.description != toolTip_.description ||
        toolTip.iconName != toolTip_.iconName || !samePixmaps(toolTip.icon, toolTip_.icon)) {
        toolTip_ = toolTip;
        emit NewToolTip();
    }
}

void StatusNotifierObject::setLabel(const QString& label) {
    if (label != label_) {
        label_ = label;
        emit XAyatanaNewLabel(label_, label_);
    }
}

void StatusNotifierObject::Activate(int x, int y) {
    call(requests_.activate, x, y);
}

void StatusNotifierObject::SecondaryActivate(int x, int y) {
    call(requests_.secondaryActivate, x, y);
}

void StatusNotifierObject::ContextMenu(int x, int y) {
    call(requests_.contextMenu, x, y);
}

void StatusNotifierObject::Scroll(int, const QString&) {}

} // namespace zendra
