#pragma once

#include "prefs/suite.h"

#include <QString>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace zendra::KZApp {

// The per-process bookkeeping behind ShowForAppRuns: the run count read for each identifier in this
// process, and the identifiers whose content has already come on screen. Main thread only.
class AppRuns {
public:
    explicit AppRuns(std::shared_ptr<Prefs::Suite> suite) : suite_(std::move(suite)) {}

    // The run number of `identifier`: the first call in a process adds one to the stored
    // "KZ_ShowForAppRuns_" + identifier count; later calls in the same process return the same number.
    int runCount(const QString& identifier);

    // Whether content with `identifier` came on screen before in this process; `remember` records that
    // it has now.
    bool noteAppearance(const QString& identifier, bool remember);

private:
    std::shared_ptr<Prefs::Suite> suite_;
    std::unordered_map<QString, int> runCounts_;
    std::unordered_set<QString> shown_;
};

} // namespace zendra::KZApp
