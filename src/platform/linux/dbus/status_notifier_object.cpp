#include "platform/linux/dbus/status_notifier_object.h"

#include "platform/linux/dbus/app_icon.h"

namespace zendra {

namespace {

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

QString StatusNotifierObject::iconName() const {
    return appIconName();
}

panel_dbus::IconPixmapList StatusNotifierObject::iconPixmap() const {
    static const panel_dbus::IconPixmapList pixmaps = [] {
        panel_dbus::IconPixmapList list;
        for (const QImage& image : appIconImages()) {
            list += panel_dbus::iconPixmaps(image);
        }
        return list;
    }();
    return pixmaps;
}

panel_dbus::ToolTip StatusNotifierObject::toolTip() const {
    if (toolTipText_.isEmpty()) {
        return {};
    }
    return {appIconName(), {}, title(), toolTipText_.toHtmlEscaped()};
}

void StatusNotifierObject::setToolTip(const QString& text) {
    if (text != toolTipText_) {
        toolTipText_ = text;
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
