#include "kit/kit.h"

#include "base/main_queue.h"
#include "kit/counter.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"

#include <QTime>
#include <QtGlobal>
#include <algorithm>

namespace zendra {

namespace {

KZKit* sharedKit = nullptr;

class NoModifiers final : public KZApp::KeyboardModifiers {
public:
    KZApp::ModifierFlags held() override { return 0; }
};

void runHook(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

} // namespace

// Lives as long as the longest of the kit and its queued start steps, so that a step that runs after
// the kit was destroyed (in tests) finds valid state.
struct KZKit::Deferred {
    Hooks hooks;
    KZApp::LaunchCompletions completions;
    std::shared_ptr<KZApp::KeyboardModifiers> modifiers;
    bool debugMode = false;

    KZApp::ModifierFlags chord() const { return KZApp::chordModifiers(modifiers->held()); }
};

KZKit::KZKit(Environment environment)
    : suite_(environment.suite ? std::move(environment.suite) : Prefs::standardSuite()),
      modifiers_(environment.modifiers ? std::move(environment.modifiers) : std::make_shared<NoModifiers>()),
      reviewPrompt_(environment.reviewPrompt ? std::move(environment.reviewPrompt)
                                             : std::make_shared<KZApp::LoggedReviewPrompt>()),
      now_(environment.now ? std::move(environment.now) : [] { return QDateTime::currentDateTimeUtc(); }),
      deferred_(std::make_shared<Deferred>()), appRuns_(suite_) {
    deferred_->hooks = std::move(environment.hooks);
    deferred_->modifiers = modifiers_;
    if (sharedKit == nullptr) {
        sharedKit = this;
    }
    start();
}

KZKit::~KZKit() {
    if (sharedKit == this) {
        sharedKit = nullptr;
    }
}

KZKit& KZKit::shared() {
    if (sharedKit == nullptr) {
        qFatal("KZKit::shared() used before the application created the kit");
    }
    return *sharedKit;
}

bool KZKit::isStarted() {
    return sharedKit != nullptr;
}

void KZKit::start() {
    const Prefs::Key<int> launchCountKey(QStringLiteral("KZ_launchCount"), 0, suite_);
    launchCount_ = KZApp::incremented(Prefs::get(launchCountKey));
    Prefs::set(launchCountKey, launchCount_);

    suite_->registerDefaults({{QStringLiteral("NSApplicationCrashOnExceptions"), Prefs::StoredObject(true)}});

    firstLaunchDate();
    launchTime_ = now_();

    std::weak_ptr<Deferred> weak = deferred_;
    if (deferred_->chord() == KZApp::debugWindowChord) {
        zendra::dispatchToMain([weak] {
            if (auto deferred = weak.lock()) {
                runHook(deferred->hooks.openDebugWindow);
            }
        });
    }
    zendra::dispatchToMain([weak] {
        if (auto deferred = weak.lock(); deferred && deferred->chord() == KZApp::dataResetChord) {
            runHook(deferred->hooks.runDataResetPrompt);
        }
    });
    zendra::dispatchToMain([weak] {
        if (auto deferred = weak.lock()) {
            deferred->completions.finishLaunching();
            if (deferred->chord() == KZApp::debugModeChord) {
                deferred->debugMode = true;
            }
        }
    });

    const Prefs::Key<bool> showSettingsKey(QStringLiteral("KZ_isShowingSettingsAfterRelaunch"), false,
                                           suite_);
    if (Prefs::get(showSettingsKey)) {
        showSettingsKey.reset();
        zendra::dispatchToMain([weak] {
            if (auto deferred = weak.lock()) {
                runHook(deferred->hooks.openSettings);
            }
        });
    }
}

QDateTime KZKit::firstLaunchDate() {
    if (!firstLaunchDate_) {
        const Prefs::Key<std::optional<QDateTime>> key(QStringLiteral("KZ_firstLaunchDate"), suite_);
        if (auto stored = Prefs::get(key)) {
            firstLaunchDate_ = *stored;
        } else {
            // Whole seconds: the preferences file keeps no fraction, and every launch must see the
            // same date, the first one included.
            QDateTime now = now_().toUTC();
            now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
            firstLaunchDate_ = now;
            Prefs::set(key, firstLaunchDate_);
        }
    }
    return *firstLaunchDate_;
}

bool KZKit::isDebugMode() const {
    return deferred_->debugMode;
}

KZKit::Hooks& KZKit::hooks() {
    return deferred_->hooks;
}

KZApp::LaunchCompletions& KZKit::launchCompletions() {
    return deferred_->completions;
}

bool KZKit::requestReview(const std::vector<int>& counts) {
    if (launchCount_ == 1 || launchCount_ == 2) {
        return false;
    }
    const Prefs::Key<int> key(QStringLiteral("KZApp_requestReview"), 0, suite_);
    const int count = KZApp::incremented(Prefs::get(key));
    Prefs::set(key, count);
    if (std::find(counts.begin(), counts.end(), count) == counts.end()) {
        return false;
    }
    reviewPrompt_->requestReview();
    return true;
}

} // namespace zendra
