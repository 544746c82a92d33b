#include "panel/popup_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace zendra {

QPoint popupPosition(QSize size, std::optional<QRect> anchor, QRect workArea, PopupAlignment alignment) {
    const int areaBottom = workArea.bottom() + 1;
    if (!anchor) {
        return {std::max(workArea.left(), workArea.right() + 1 - size.width()), workArea.top()};
    }
    int x = alignment == PopupAlignment::centred ? anchor->center().x() - size.width() / 2 : anchor->left();
    x = std::clamp(x, workArea.left(), std::max(workArea.left(), workArea.right() + 1 - size.width()));
    int y = std::max(anchor->bottom() + 1, workArea.top());
    // A panel at the bottom edge: above the item, still inside the work area.
    if (y + size.height() > areaBottom) {
        y = std::max(workArea.top(), std::min(anchor->top(), areaBottom) - size.height());
    }
    return {x, y};
}

QRect popupWorkArea(std::optional<QRect> anchor) {
    const QScreen* screen = anchor ? QGuiApplication::screenAt(anchor->center()) : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

} // namespace zendra
