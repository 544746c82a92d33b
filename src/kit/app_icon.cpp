#include "kit/app_icon.h"

#include <QPainter>
#include <QPolygonF>

namespace zendra::KZApp {

QImage drawApplicationIcon(int pixelSize) {
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The installed icon's (packaging/icons) 128-unit grid.
    painter.scale(pixelSize / 128.0, pixelSize / 128.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2f, 0x6f, 0xde));
    painter.drawEllipse(QPointF(64, 64), 60, 60);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({{58, 32},
                                   {71, 32},
                                   {71, 86},
                                   {82, 86},
                                   {82, 96},
                                   {46, 96},
                                   {46, 86},
                                   {58, 86},
                                   {58, 47},
                                   {46, 53},
                                   {46, 41}}));
    return image;
}

} // namespace zendra::KZApp
