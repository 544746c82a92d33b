#include "platform/linux/dbus/app_icon.h"

#include "app/identity.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStandardPaths>

namespace zendra {

namespace {

// The figure of packaging/icons/org.zendra.Zendra.svg, on its 128-unit grid.
QPolygonF figure() {
    return QPolygonF({{58, 32},
                      {71, 32},
                      {71, 86},
                      {82, 86},
                      {82, 96},
                      {46, 96},
                      {46, 86},
                      {58, 86},
                      {58, 47},
                      {46, 53},
                      {46, 41}});
}

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2f, 0x6f, 0xde));
    painter.drawEllipse(QPointF(64, 64), 60, 60);
    painter.setBrush(Qt::white);
    painter.drawPolygon(figure());
    return image;
}

} // namespace

QString appIconName() {
    // Hosts that find a name they cannot resolve show a "missing" picture instead of the pixmaps, so
    // the name is given only where the package installed the icon.
    static const QString name = [] {
        const QString id = QString::fromUtf8(identity::bundleIdentifier);
        const QString file = QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(id);
        return QStandardPaths::locate(QStandardPaths::GenericDataLocation, file).isEmpty() ? QString() : id;
    }();
    return name;
}

QList<QImage> appIconImages() {
    QList<QImage> images;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        images.append(drawIcon(size));
    }
    return images;
}

} // namespace zendra
