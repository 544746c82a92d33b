#include "welcome/app_icon.h"

#include "kit/app_icon.h"

#include <cmath>

namespace zendra {

QPixmap applicationIcon(int logicalSize, qreal devicePixelRatio) {
    QPixmap pixmap =
        QPixmap::fromImage(KZApp::drawApplicationIcon(int(std::lround(logicalSize * devicePixelRatio))));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace zendra
