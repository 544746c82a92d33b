#pragma once

#include "base/cancellable.h"
#include "base/publisher.h"
#include "login_launch/platform.h"
#include "prefs/standard_suite.h"
#include "prefs/suite.h"

#include <QObject>
#include <QString>
#include <memory>

// Launch at login: whether the application starts when the user logs in. The state lives in the
// system and is read on every access. Main thread only.
namespace zendra::LoginLaunch {

// Installs the system's services; until then every read is false and every write fails (and logs).
void setPlatform(std::shared_ptr<Platform> platform);
Platform& platform();

bool isEnabled();
// Announces the change to `observable()` and `kvo()`, applies it, then sends `enabled` (the requested
// value, whatever the system did) through `statusSubject()`. Failures are logged, never reported.
void setEnabled(bool enabled);

// The one-time move from the helper mechanism to the app service, guarded by the flag
// "LoginLaunch__hasMigrated" in `suite`.
void migrateIfNeeded(const std::shared_ptr<Prefs::Suite>& suite = Prefs::standardSuite());

// The main bundle identifier followed by "-LoginLaunchHelper".
QString helperBundleIdentifier();

// For views that re-read the state: announces every change before it happens.
class Observable {
public:
    bool isEnabled() const { return LoginLaunch::isEnabled(); }
    void setEnabled(bool enabled) const { LoginLaunch::setEnabled(enabled); }
    zendra::Publisher<zendra::Signal> objectWillChange() const { return willChange_.publisher(); }

private:
    friend void LoginLaunch::setEnabled(bool);
    zendra::Subject<zendra::Signal> willChange_;
};
Observable& observable();

// Key-value style: the property `isEnabled` with a signal before and after each change.
class KVO final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isEnabled READ isEnabled WRITE setEnabled NOTIFY isEnabledChanged)
public:
    bool isEnabled() const { return LoginLaunch::isEnabled(); }
    void setEnabled(bool enabled) { LoginLaunch::setEnabled(enabled); }

signals:
    void isEnabledWillChange();
    void isEnabledChanged();

private:
    friend void LoginLaunch::setEnabled(bool);
};
KVO& kvo();

// A current-value subject: created on first use with isEnabled() read then; remembers the last value
// sent and hands it to each new subscriber first.
class StatusSubject {
public:
    explicit StatusSubject(bool initial) : value_(initial) {}
    bool value() const { return value_; }
    void send(bool value);
    zendra::Publisher<bool> publisher() const;

private:
    bool value_;
    zendra::Subject<bool> changes_;
};
StatusSubject& statusSubject();

// The current value and every later value of isEnabled as set through this interface.
zendra::Publisher<bool> publisher();

} // namespace zendra::LoginLaunch
