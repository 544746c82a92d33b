#pragma once

#include "support/temp_xdg_dirs.h"

#include <QDir>
#include <QFile>

namespace zendra::test {

// Makes the next start of the application with these folders a later launch (the preferences count
// one launch before it), so that the first launch's welcome window stays away. Call it before the
// application first runs there.
inline bool markLaunchedBefore(const TempXdgDirs& xdg) {
    const QString folder = xdg.configHome() + "/zendra";
    QFile file(folder + "/org.zendra.Zendra.plist");
    return QDir().mkpath(folder) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<plist version=\"1.0\"><dict><key>KZ_launchCount</key><integer>1</integer></dict>"
                      "</plist>\n") > 0;
}

} // namespace zendra::test
