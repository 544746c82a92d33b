#pragma once

#include "kit/app_runs.h"

#include <QString>

class QWidget;

namespace zendra::KZApp {

// Decides whether content shows during a window of launches, counted per identifier: it shows on run
// numbers startShowingFromAppRun ... startShowingFromAppRun + count - 1. With oncePerAppRun it shows
// only at its first appearance in a process. Creating one counts the current run once per process.
class ShowForAppRuns {
public:
    ShowForAppRuns(AppRuns& appRuns, int count, QString id, int startShowingFromAppRun = 1,
                   bool oncePerAppRun = false);

    int count() const { return count_; }
    const QString& id() const { return id_; }
    int startShowingFromAppRun() const { return startShowingFromAppRun_; }
    bool oncePerAppRun() const { return oncePerAppRun_; }
    int runCount() const { return runCount_; }

    // Whether the content is shown now.
    bool isShown() const;
    // The content came on screen: from now on it hides if content with this identifier appeared
    // earlier in this process.
    void contentDidAppear();

    // Applies the rule to a widget: hidden unless shown; each time it comes on screen the rule is
    // evaluated again and the widget hides when it no longer shows. The binding lives with the widget.
    static void attach(QWidget* content, const ShowForAppRuns& rule);

private:
    AppRuns* appRuns_;
    int count_;
    QString id_;
    int startShowingFromAppRun_;
    bool oncePerAppRun_;
    int runCount_;
    bool shouldHide_ = false;
};

} // namespace zendra::KZApp
