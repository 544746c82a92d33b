#include "settings/settings_button.h"

#include <QCoreApplication>

namespace zendra::Settings {

QString settingsButtonTitle(bool currentBranch) {
    return currentBranch ? QCoreApplication::translate("zendra::Settings", "Settings…")
                         : QCoreApplication::translate("zendra::Settings", "Preferences…");
}

} // namespace zendra::Settings
