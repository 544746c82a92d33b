#include "settings/window/popover.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace zendra::Settings {

Popover::Popover(QWidget* anchor) : QFrame(anchor, Qt::Popup), anchor_(anchor) {
    setFrameShape(QFrame::StyledPanel);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Popover::present() {
    adjustSize();
    const QPoint below = anchor_->mapToGlobal(QPoint(anchor_->width() / 2, anchor_->height()));
    QPoint topLeft(below.x() - width() / 2, below.y() + 2);
    if (const QScreen* screen = anchor_->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(topLeft);
    show();
}

void Popover::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (onClosed_) {
        onClosed_();
    }
}

} // namespace zendra::Settings
