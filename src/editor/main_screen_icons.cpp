#include "editor/main_screen_icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <functional>

namespace zendra {

namespace {

constexpr int iconSize = 16;

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap pixmap(QSize(iconSize, iconSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

QColor symbolColor() {
    return QGuiApplication::palette().color(QPalette::ButtonText);
}

} // namespace

QIcon dismissIcon() {
    return QIcon::fromTheme(QStringLiteral("go-up"), drawn([](QPainter& painter) {
                                painter.setPen(
                                    QPen(symbolColor(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                                const QPointF points[] = {{3, 10.5}, {8, 6.5}, {13, 10.5}};
                                painter.drawPolyline(points, 3);
                            }));
}

QIcon actionIcon() {
    return QIcon::fromTheme(QStringLiteral("view-more-horizontal"), drawn([](QPainter& painter) {
                                painter.setPen(Qt::NoPen);
                                painter.setBrush(symbolColor());
                                for (const qreal x : {3.0, 8.0, 13.0}) {
                                    painter.drawEllipse(QPointF(x, 8), 1.5, 1.5);
                                }
                            }));
}

} // namespace zendra
