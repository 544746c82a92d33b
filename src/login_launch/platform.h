#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace zendra::LoginLaunch {

// The outcome of a registration call: success, or the error's human-readable description.
struct Result {
    std::optional<QString> error;

    static Result success() { return {}; }
    static Result failure(QString description) { return {std::move(description)}; }
    bool ok() const { return !error.has_value(); }
};

enum class AppServiceStatus { notRegistered = 0, enabled = 1, requiresApproval = 2, notFound = 3 };

// The system's registration of one application to launch at login.
class AppService {
public:
    virtual ~AppService() = default;
    // Asked on every call; nothing is cached.
    virtual AppServiceStatus status() = 0;
    virtual Result registerService() = 0;
    virtual Result unregisterService() = 0;
};

// Everything launch at login needs from the system. Systems that register the main application
// directly report usesAppService(); older ones drive a separate helper application through the
// legacy operations.
class Platform {
public:
    virtual ~Platform() = default;

    // The branch by system version: true for the app-service mechanism.
    virtual bool usesAppService() = 0;
    // The main application's own registration.
    virtual AppService& mainApp() = 0;
    // The main application's bundle identifier, from which the helper's identifier is formed.
    virtual QString mainBundleIdentifier() = 0;

    // Legacy: removes the app-service registration of the login item `identifier`.
    virtual Result unregisterLoginItem(const QString& identifier) = 0;
    // Legacy: enables or disables the login item `identifier`; returns whether the system accepted.
    virtual bool setLoginItemEnabled(const QString& identifier, bool enabled) = 0;
    // Legacy: the job dictionaries of the user's session (a list of string-keyed maps), or an invalid
    // QVariant when the system gives none.
    virtual QVariant userJobDictionaries() = 0;
};

} // namespace zendra::LoginLaunch
