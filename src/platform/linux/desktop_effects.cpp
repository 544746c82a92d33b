#include "platform/linux/desktop_effects.h"

#include "platform/linux/x11/compositing_manager.h"

#include <QGuiApplication>

namespace zendra {

LinuxDesktopEffects::LinuxDesktopEffects(QDBusConnection bus) : motion_(std::move(bus)) {}

bool LinuxDesktopEffects::isCompositing() const {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland"))) {
        return true;
    }
    return platform == QLatin1String("xcb") && x11::isCompositingManagerRunning();
}

} // namespace zendra
