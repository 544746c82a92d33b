#pragma once

#include "kit/app_runs.h"
#include "kit/launch_completions.h"
#include "kit/modifier_flags.h"
#include "kit/review_prompt.h"
#include "prefs/suite.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <vector>

namespace zendra {

// The support kit: launch bookkeeping and the per-process state of the one-time presentation helpers.
// The application creates one instance early and keeps it until the process ends; creating it runs the
// start sequence (count the launch, remember the first launch date, read the launch-time chords, queue
// the launch-finished work on the main queue).
class KZKit {
public:
    // Actions that other parts provide; any may be left empty.
    struct Hooks {
        std::function<void()> openDebugWindow;    // Shift+Control+Option held at launch
        std::function<void()> runDataResetPrompt; // Shift+Control+Option+Command held at launch
        std::function<void()> openSettings;       // the previous instance relaunched to show settings
    };

    struct Environment {
        std::shared_ptr<Prefs::Suite> suite;                 // default: the standard suite
        std::shared_ptr<KZApp::KeyboardModifiers> modifiers; // default: none held
        std::shared_ptr<KZApp::ReviewPrompt> reviewPrompt;   // default: a logged line
        std::function<QDateTime()> now;                      // default: the system clock
        Hooks hooks;
    };

    explicit KZKit(Environment environment = {});
    ~KZKit();
    KZKit(const KZKit&) = delete;
    KZKit& operator=(const KZKit&) = delete;

    // The instance the application created. Using the kit before creating it is a programming error
    // and stops the process.
    static KZKit& shared();
    static bool isStarted();

    int launchCount() const { return launchCount_; }
    bool isFirstLaunch() const { return launchCount_ == 1; }
    bool isSecondLaunch() const { return launchCount_ == 2; }
    // The date stored at the first launch (taken now when none is stored).
    QDateTime firstLaunchDate();
    QDateTime launchTime() const { return launchTime_; }
    bool isDebugMode() const;

    // The hooks are read when the queued start steps run, so they may be filled in after creation.
    Hooks& hooks();
    KZApp::LaunchCompletions& launchCompletions();
    KZApp::AppRuns& appRuns() { return appRuns_; }
    const std::shared_ptr<Prefs::Suite>& suite() const { return suite_; }

    // Counts a review opportunity, from the third launch on, and asks for the platform's review prompt
    // when the new count is one of `counts`. Returns whether the prompt was asked for.
    bool requestReview(const std::vector<int>& counts);

private:
    struct Deferred; // what the queued start steps share with the kit
    void start();

    std::shared_ptr<Prefs::Suite> suite_;
    std::shared_ptr<KZApp::KeyboardModifiers> modifiers_;
    std::shared_ptr<KZApp::ReviewPrompt> reviewPrompt_;
    std::function<QDateTime()> now_;
    std::shared_ptr<Deferred> deferred_;
    KZApp::AppRuns appRuns_;
    int launchCount_ = 0;
    QDateTime launchTime_;
    std::optional<QDateTime> firstLaunchDate_;
};

namespace KZApp {

// The review request on the shared kit (KZKit::requestReview).
inline bool requestReview(const std::vector<int>& counts) {
    return KZKit::shared().requestReview(counts);
}

// The counts at which Zendra asks for a review when it calls requestReview once per launch.
inline const std::vector<int> reviewRequestCounts{6, 200, 500, 1000};

} // namespace KZApp

} // namespace zendra
