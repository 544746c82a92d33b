#pragma once

#include "login_launch/platform.h"
#include "platform/linux/autostart_service.h"

namespace zendra::autostart {

// Launch at login on Linux: the app service is the XDG autostart entry. There is no older helper
// mechanism here: its reads find nothing and its changes are refused.
class AutostartLoginPlatform final : public LoginLaunch::Platform {
public:
    // `bundleIdentifier` names the entry ("<bundleIdentifier>.desktop"); `executable` is what it starts.
    AutostartLoginPlatform(QString bundleIdentifier, QString applicationName, QString executable);

    bool usesAppService() override { return true; }
    LoginLaunch::AppService& mainApp() override { return service_; }
    QString mainBundleIdentifier() override { return bundleIdentifier_; }
    LoginLaunch::Result unregisterLoginItem(const QString& identifier) override;
    bool setLoginItemEnabled(const QString&, bool) override { return false; }
    QVariant userJobDictionaries() override { return {}; }

private:
    QString bundleIdentifier_;
    AutostartService service_;
};

} // namespace zendra::autostart
