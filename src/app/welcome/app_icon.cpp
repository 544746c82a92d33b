#include "app/welcome/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace zendra {

QPixmap applicationIcon(int logicalSize, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(logicalSize, logicalSize) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The installed icon's 128-unit drawing.
    painter.scale(logicalSize / 128.0, logicalSize / 128.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2f, 0x6f, 0xde));
    painter.drawEllipse(QPointF(64, 64), 60, 60);
    QPainterPath one;
    one.moveTo(58, 32);
    for (const QPointF point :
         {QPointF(71, 32), QPointF(71, 86), QPointF(82, 86), QPointF(82, 96), QPointF(46, 96),
          QPointF(46, 86), QPointF(58, 86), QPointF(58, 47), QPointF(46, 53), QPointF(46, 41)}) {
        one.lineTo(point);
    }
    one.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(one);
    return pixmap;
}

} // namespace zendra
