#include "automation/saved_settings.h"

#include "prefs/file_suite.h"
#include "prefs/standard_suite.h"

#include <QCoreApplication>

namespace zendra {

std::optional<QString> saveSettingsNow() {
    const auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(Prefs::standardSuite());
    if (!file || (file->isPersistent() && file->flush())) {
        return std::nullopt;
    }
    return QCoreApplication::translate("zendra::automation", "cannot write the preferences file %1")
        .arg(file->path());
}

} // namespace zendra
