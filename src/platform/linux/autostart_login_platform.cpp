#include "platform/linux/autostart_login_platform.h"

namespace zendra::autostart {

AutostartLoginPlatform::AutostartLoginPlatform(QString bundleIdentifier, QString applicationName,
                                               QString executable)
    : bundleIdentifier_(bundleIdentifier),
      service_(std::move(bundleIdentifier), std::move(applicationName), std::move(executable)) {}

LoginLaunch::Result AutostartLoginPlatform::unregisterLoginItem(const QString& identifier) {
    return LoginLaunch::Result::failure(
        QStringLiteral("There is no login item %1: this system has no helper applications").arg(identifier));
}

} // namespace zendra::autostart
