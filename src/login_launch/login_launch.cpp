#include "login_launch/login_launch.h"

#include "login_launch/logging.h"
#include "prefs/prefs.h"

#include <QMetaType>
#include <QVariantList>
#include <QVariantMap>
#include <utility>

namespace zendra::LoginLaunch {

namespace {

// Stands in until the application installs the real services.
class UnavailableAppService final : public AppService {
public:
    AppServiceStatus status() override { return AppServiceStatus::notFound; }
    Result registerService() override { return Result::failure(message()); }
    Result unregisterService() override { return Result::failure(message()); }

private:
    static QString message() { return QStringLiteral("No login item service is available"); }
};

class UnavailablePlatform final : public Platform {
public:
    bool usesAppService() override { return true; }
    AppService& mainApp() override { return service_; }
    QString mainBundleIdentifier() override { return {}; }
    Result unregisterLoginItem(const QString&) override { return service_.unregisterService(); }
    bool setLoginItemEnabled(const QString&, bool) override { return false; }
    QVariant userJobDictionaries() override { return {}; }

private:
    UnavailableAppService service_;
};

struct Installed {
    std::shared_ptr<Platform> platform = std::make_shared<UnavailablePlatform>();
    QString helperIdentifier;
};

Installed& installed() {
    static Installed state;
    return state;
}

bool legacyIsEnabled() {
    const QVariant jobs = platform().userJobDictionaries();
    if (jobs.typeId() != QMetaType::QVariantList) {
        return false;
    }
    const QVariantList list = jobs.toList();
    // Any element that is not a dictionary makes the whole answer unusable.
    for (const auto& job : list) {
        if (job.typeId() != QMetaType::QVariantMap) {
            return false;
        }
    }
    const QString helper = helperBundleIdentifier();
    for (const auto& job : list) {
        const QVariantMap entry = job.toMap();
        const QVariant label = entry.value(QStringLiteral("Label"));
        if (label.typeId() != QMetaType::QString || label.toString() != helper) {
            continue;
        }
        const QVariant onDemand = entry.value(QStringLiteral("OnDemand"));
        return onDemand.typeId() == QMetaType::Bool && onDemand.toBool();
    }
    return false;
}

void applyWithAppService(bool enabled) {
    AppService& service = platform().mainApp();
    Result result;
    if (enabled) {
        // Registering again over an existing registration refreshes it.
        if (service.status() == AppServiceStatus::enabled) {
            (void)service.unregisterService();
        }
        result = service.registerService();
    } else {
        result = service.unregisterService();
    }
    if (!result.ok()) {
        qCCritical(log(), "Failed to %s launch at login: %s", enabled ? "enable" : "disable",
                   qUtf8Printable(*result.error));
    }
}

} // namespace

void setPlatform(std::shared_ptr<Platform> newPlatform) {
    auto& state = installed();
    state.platform = newPlatform ? std::move(newPlatform) : std::make_shared<UnavailablePlatform>();
    state.helperIdentifier = state.platform->mainBundleIdentifier() + QStringLiteral("-LoginLaunchHelper");
}

Platform& platform() {
    return *installed().platform;
}

QString helperBundleIdentifier() {
    auto& state = installed();
    if (state.helperIdentifier.isEmpty()) {
        state.helperIdentifier =
            state.platform->mainBundleIdentifier() + QStringLiteral("-LoginLaunchHelper");
    }
    return state.helperIdentifier;
}

bool isEnabled() {
    if (platform().usesAppService()) {
        return platform().mainApp().status() == AppServiceStatus::enabled;
    }
    return legacyIsEnabled();
}

void setEnabled(bool enabled) {
    observable().willChange_.send(zendra::Signal{});
    emit kvo().isEnabledWillChange();
    if (platform().usesAppService()) {
        applyWithAppService(enabled);
    } else {
        (void)platform().setLoginItemEnabled(helperBundleIdentifier(), enabled);
    }
    emit kvo().isEnabledChanged();
    statusSubject().send(enabled);
}

void migrateIfNeeded(const std::shared_ptr<Prefs::Suite>& suite) {
    if (!platform().usesAppService()) {
        return;
    }
    const Prefs::Key<bool> hasMigrated(QStringLiteral("LoginLaunch__hasMigrated"), false, suite);
    if (Prefs::get(hasMigrated)) {
        return;
    }
    // Written first, so a migration step that fails is not attempted again at every launch.
    Prefs::set(hasMigrated, true);
    if (legacyIsEnabled()) {
        applyWithAppService(true);
    }
    (void)platform().setLoginItemEnabled(helperBundleIdentifier(), false);
    (void)platform().unregisterLoginItem(helperBundleIdentifier());
}

Observable& observable() {
    static Observable* const shared = new Observable; // lives until the process ends
    return *shared;
}

KVO& kvo() {
    static KVO* const shared = new KVO; // lives until the process ends
    return *shared;
}

void StatusSubject::send(bool value) {
    value_ = value;
    changes_.send(value);
}

zendra::Publisher<bool> StatusSubject::publisher() const {
    return zendra::Publisher<bool>([this](zendra::Publisher<bool>::Subscriber subscriber) {
        subscriber(value_);
        return changes_.sink(std::move(subscriber));
    });
}

StatusSubject& statusSubject() {
    static StatusSubject* const shared = new StatusSubject(isEnabled());
    return *shared;
}

zendra::Publisher<bool> publisher() {
    return statusSubject().publisher();
}

} // namespace zendra::LoginLaunch
