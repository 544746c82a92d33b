#pragma once

#include "login_launch/platform.h"

#include <QString>
#include <QStringList>

namespace zendra::autostart {

// The folder of the user's autostart entries: $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when
// that variable is unset or not an absolute path. Read anew on every call.
QString autostartFolder();

// Launch at login through an XDG autostart entry "<desktopFileId>.desktop" in the user's autostart
// folder. Enabled when the entry exists and is not disabled; register writes the entry atomically
// (replacing a disabled one); unregister removes it. Failures come back as the error's description.
class AutostartService final : public LoginLaunch::AppService {
public:
    AutostartService(QString desktopFileId, QString applicationName, QString executable,
                     QStringList arguments = {});

    QString entryPath() const;

    LoginLaunch::AppServiceStatus status() override;
    LoginLaunch::Result registerService() override;
    LoginLaunch::Result unregisterService() override;

private:
    QString desktopFileId_;
    QString applicationName_;
    QString executable_;
    QStringList arguments_;
};

} // namespace zendra::autostart
