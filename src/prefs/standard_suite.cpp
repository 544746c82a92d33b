#include "prefs/standard_suite.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>

namespace zendra::Prefs {

namespace {

QString standardSuitePath() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || !QFileInfo(configHome).isAbsolute()) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return configHome + QStringLiteral("/zendra/org.zendra.Zendra.plist");
}

// Function-local: keys declared at namespace scope may open the suite during static initialisation.
FileSuite::Options& requestedOptions() {
    static FileSuite::Options options;
    return options;
}

std::atomic<bool>& isOpen() {
    static std::atomic<bool> open{false};
    return open;
}

// Holds the suite until the process ends and writes what is pending on the way out, even when some
// other holder (a leaked key) keeps the suite itself alive.
struct StandardSuiteHolder {
    std::shared_ptr<FileSuite> suite = open();
    ~StandardSuiteHolder() { suite->flush(); }

    static std::shared_ptr<FileSuite> open() {
        isOpen().store(true);
        return FileSuite::open(standardSuitePath(), requestedOptions());
    }
};

} // namespace

std::shared_ptr<Suite> standardSuite() {
    static const StandardSuiteHolder holder;
    return holder.suite;
}

bool setStandardSuiteOptions(FileSuite::Options options) {
    if (isOpen().load()) {
        return false;
    }
    requestedOptions() = options;
    return true;
}

} // namespace zendra::Prefs
