#pragma once

#include "login_launch/platform.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace zendra::test {

// A login-item service in memory that records every call in `calls`, in order. Set `registerError`
// or `unregisterError` to make those calls fail; `usesAppService` false selects the legacy branch.
class FakeLoginPlatform final : public LoginLaunch::Platform, public LoginLaunch::AppService {
public:
    // AppService
    LoginLaunch::AppServiceStatus status() override {
        calls << "status";
        return appStatus;
    }
    LoginLaunch::Result registerService() override {
        calls << "register";
        if (!registerError.isEmpty()) {
            return LoginLaunch::Result::failure(registerError);
        }
        appStatus = LoginLaunch::AppServiceStatus::enabled;
        return {};
    }
    LoginLaunch::Result unregisterService() override {
        calls << "unregister";
        if (!unregisterError.isEmpty()) {
            return LoginLaunch::Result::failure(unregisterError);
        }
        appStatus = LoginLaunch::AppServiceStatus::notRegistered;
        return {};
    }

    // Platform
    bool usesAppService() override { return appService; }
    LoginLaunch::AppService& mainApp() override { return *this; }
    QString mainBundleIdentifier() override { return "org.zendra.Zendra"; }
    LoginLaunch::Result unregisterLoginItem(const QString& identifier) override {
        calls << "unregisterLoginItem " + identifier;
        return LoginLaunch::Result::failure("not registered");
    }
    bool setLoginItemEnabled(const QString& identifier, bool enabled) override {
        calls << QString("setLoginItemEnabled %1 %2").arg(identifier, enabled ? "true" : "false");
        helperEnabled = enabled;
        return true;
    }
    QVariant userJobDictionaries() override { return jobs; }

    // The job list of the legacy service with the helper in it.
    static QVariant jobsWithHelper(const QVariant& onDemand) {
        return QVariantList{
            QVariantMap{{"Label", "com.example.other"}, {"OnDemand", false}},
            QVariantMap{{"Label", "org.zendra.Zendra-LoginLaunchHelper"}, {"OnDemand", onDemand}}};
    }

    bool appService = true;
    LoginLaunch::AppServiceStatus appStatus = LoginLaunch::AppServiceStatus::notRegistered;
    QString registerError;
    QString unregisterError;
    QVariant jobs;
    bool helperEnabled = false;
    QStringList calls;
};

} // namespace zendra::test
