#include "kit/app_runs.h"

#include "kit/counter.h"
#include "prefs/prefs.h"

namespace zendra::KZApp {

int AppRuns::runCount(const QString& identifier) {
    if (const auto found = runCounts_.find(identifier); found != runCounts_.end()) {
        return found->second;
    }
    const Prefs::Key<int> key(QStringLiteral("KZ_ShowForAppRuns_") + identifier, 0, suite_);
    Prefs::modify(key, [](int& count) { count = incremented(count); });
    const int count = Prefs::get(key);
    runCounts_.emplace(identifier, count);
    return count;
}

bool AppRuns::noteAppearance(const QString& identifier, bool remember) {
    const bool seen = shown_.contains(identifier);
    if (remember) {
        shown_.insert(identifier);
    }
    return seen;
}

} // namespace zendra::KZApp
