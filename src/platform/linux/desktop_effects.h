#pragma once

// The desktop's effects on Linux: a compositor always draws a Wayland session and draws an X11 one
// while a compositing manager runs; reduced motion is what the desktop portal publishes.

#include "kit/desktop_effects.h"
#include "platform/linux/dbus/reduced_motion_portal.h"

#include <QDBusConnection>

namespace zendra {

class LinuxDesktopEffects final : public KZApp::DesktopEffects {
public:
    explicit LinuxDesktopEffects(QDBusConnection bus = QDBusConnection::sessionBus());

    // Asks the X server each time: a compositing manager may start or stop while Zendra runs.
    bool isCompositing() const override;
    bool prefersReducedMotion() const override { return motion_.prefersReducedMotion(); }

private:
    PortalReducedMotion motion_;
};

} // namespace zendra
