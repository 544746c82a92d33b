#include "platform/linux/dbus/app_icon.h"

#include "base/identity.h"
#include "kit/app_icon.h"

#include <QStandardPaths>

namespace zendra {

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
        images.append(KZApp::drawApplicationIcon(size));
    }
    return images;
}

} // namespace zendra
