#include "platform/linux/desktop_effects.h"

#include "platform/linux/session/linux_session.h"
#include "platform/linux/x11/compositing_manager.h"

namespace zendra {

LinuxDesktopEffects::LinuxDesktopEffects(QDBusConnection bus) : motion_(std::move(bus)) {}

bool LinuxDesktopEffects::isCompositing() const {
    const LinuxSession session = LinuxSession::current();
    if (session.qtOnWayland()) {
        return true;
    }
    return session.qtOnX11() && x11::isCompositingManagerRunning();
}

} // namespace zendra
