#include "prefs/standard_suite.h"

#include "prefs/file_suite.h"

#include <QDir>
#include <QFileInfo>

namespace zendra::Prefs {

namespace {

QString standardSuitePath() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || !QFileInfo(configHome).isAbsolute()) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return configHome + QStringLiteral("/zendra/org.zendra.Zendra.plist");
}

// Holds the suite until the process ends and writes what is pending on the way out, even when some
// other holder (a leaked key) keeps the suite itself alive.
struct StandardSuiteHolder {
    std::shared_ptr<FileSuite> suite = FileSuite::open(standardSuitePath());
    ~StandardSuiteHolder() { suite->flush(); }
};

} // namespace

std::shared_ptr<Suite> standardSuite() {
    static const StandardSuiteHolder holder;
    return holder.suite;
}

} // namespace zendra::Prefs
