#include "login_launch/fakes/fake_login_platform.h"
#include "login_launch/login_launch.h"
#include "prefs/prefs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using LoginLaunch::AppServiceStatus;
using zendra::test::FakeLoginPlatform;

QStringList* capturedMessages = nullptr;

void captureMessage(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (capturedMessages != nullptr && QByteArray(context.category) == "org.zendra.LoginLaunch.main") {
        capturedMessages->append(message);
    }
}

struct LoginLaunchTest : testing::Test {
    std::shared_ptr<FakeLoginPlatform> fake = std::make_shared<FakeLoginPlatform>();
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    QStringList logged;
    QtMessageHandler previousHandler = nullptr;

    void SetUp() override {
        LoginLaunch::setPlatform(fake);
        (void)LoginLaunch::statusSubject(); // its creation reads the state once; keep that out of the calls
        fake->calls.clear();
        capturedMessages = &logged;
        previousHandler = qInstallMessageHandler(captureMessage);
    }
    void TearDown() override {
        qInstallMessageHandler(previousHandler);
        capturedMessages = nullptr;
        LoginLaunch::setPlatform(nullptr);
    }
};

TEST_F(LoginLaunchTest, ReadsAskTheServiceEveryTime) {
    fake->appStatus = AppServiceStatus::enabled;
    EXPECT_TRUE(LoginLaunch::isEnabled());
    fake->appStatus = AppServiceStatus::requiresApproval;
    EXPECT_FALSE(LoginLaunch::isEnabled()) << "waiting for approval reads as off";
    fake->appStatus = AppServiceStatus::notFound;
    EXPECT_FALSE(LoginLaunch::observable().isEnabled());
    EXPECT_EQ(fake->calls.count("status"), 3);
}

TEST_F(LoginLaunchTest, EnablingRegistersAndReRegistersWhenAlreadyEnabled) {
    fake->appStatus = AppServiceStatus::requiresApproval;
    LoginLaunch::setEnabled(true);
    EXPECT_EQ(fake->calls, (QStringList{"status", "register"})) << "no unregister unless enabled";

    fake->calls.clear();
    fake->unregisterError = "busy";
    LoginLaunch::setEnabled(true);
    EXPECT_EQ(fake->calls, (QStringList{"status", "unregister", "register"}));
    EXPECT_TRUE(logged.isEmpty()) << "a failure of the first unregister is ignored";
}

TEST_F(LoginLaunchTest, FailuresAreLoggedAndTheRequestedValueIsStillPublished) {
    std::vector<bool> published;
    auto subscription = LoginLaunch::publisher().sink([&](const bool& value) { published.push_back(value); });
    ASSERT_EQ(published.size(), 1u) << "a subscriber gets the current value first";

    fake->appStatus = AppServiceStatus::enabled;
    fake->unregisterError = "Operation not permitted";
    LoginLaunch::setEnabled(false);
    EXPECT_EQ(logged, (QStringList{"Failed to disable launch at login: Operation not permitted"}));

    fake->registerError = "Read-only file system";
    LoginLaunch::setEnabled(true);
    EXPECT_EQ(logged.last(), "Failed to enable launch at login: Read-only file system");

    EXPECT_EQ(published, (std::vector<bool>{published.front(), false, true}));
    EXPECT_TRUE(LoginLaunch::isEnabled()) << "the real state comes from the service";
    EXPECT_EQ(LoginLaunch::statusSubject().value(), true);
}

TEST_F(LoginLaunchTest, ObserversHearOfTheChangeBeforeAndAfterTheServiceCall) {
    QStringList events;
    auto willChange = LoginLaunch::observable().objectWillChange().sink([&](const zendra::Signal&) {
        events << "observable will change (calls so far: " + QString::number(fake->calls.size()) + ")";
    });
    auto kvoWill = QObject::connect(&LoginLaunch::kvo(), &LoginLaunch::KVO::isEnabledWillChange,
                                    [&] { events << "kvo will change"; });
    auto kvoDid = QObject::connect(&LoginLaunch::kvo(), &LoginLaunch::KVO::isEnabledChanged,
                                   [&] { events << "kvo did change, registered " + fake->calls.join(","); });

    LoginLaunch::kvo().setProperty("isEnabled", true);
    EXPECT_EQ(events, (QStringList{"observable will change (calls so far: 0)", "kvo will change",
                                   "kvo did change, registered status,register"}));
    EXPECT_TRUE(LoginLaunch::kvo().property("isEnabled").toBool());
    QObject::disconnect(kvoWill);
    QObject::disconnect(kvoDid);
}

TEST_F(LoginLaunchTest, MigrationMovesAnEnabledHelperToTheAppServiceOnceEvenWhenAStepFails) {
    fake->jobs = FakeLoginPlatform::jobsWithHelper(true);
    LoginLaunch::migrateIfNeeded(suite);
    EXPECT_EQ(fake->calls, (QStringList{"status", "register",
                                        "setLoginItemEnabled org.zendra.Zendra-LoginLaunchHelper false",
                                        "unregisterLoginItem org.zendra.Zendra-LoginLaunchHelper"}));
    EXPECT_EQ(fake->appStatus, AppServiceStatus::enabled);
    EXPECT_FALSE(fake->helperEnabled);
    EXPECT_EQ(suite->object("LoginLaunch__hasMigrated"), Prefs::StoredObject(true));
    fake->calls.clear();
    LoginLaunch::migrateIfNeeded(suite);
    EXPECT_TRUE(fake->calls.isEmpty()) << "the second launch does nothing";

    const auto failing = Prefs::Suite::makeInMemory();
    fake->appStatus = AppServiceStatus::notRegistered;
    fake->registerError = "denied";
    LoginLaunch::migrateIfNeeded(failing);
    EXPECT_EQ(logged, (QStringList{"Failed to enable launch at login: denied"}));
    fake->calls.clear();
    LoginLaunch::migrateIfNeeded(failing);
    EXPECT_TRUE(fake->calls.isEmpty()) << "a failed step is not retried";
}

TEST_F(LoginLaunchTest, MigrationWithoutEnabledHelperOnlyRetiresIt) {
    fake->jobs = FakeLoginPlatform::jobsWithHelper(false);
    fake->registerError = "never called";
    LoginLaunch::migrateIfNeeded(suite);
    EXPECT_FALSE(fake->calls.contains("register"));
    EXPECT_TRUE(fake->calls.contains("setLoginItemEnabled org.zendra.Zendra-LoginLaunchHelper false"));
    EXPECT_TRUE(logged.isEmpty()) << "the helper's failed unregister is ignored";
}

TEST_F(LoginLaunchTest, OlderSystemsDriveTheHelperNeverMigrateAndReadOnlyWellFormedJobLists) {
    fake->appService = false;
    LoginLaunch::migrateIfNeeded(suite);
    EXPECT_TRUE(fake->calls.isEmpty());
    EXPECT_FALSE(suite->hasPersistentEntry("LoginLaunch__hasMigrated")) << "the flag is not written there";
    LoginLaunch::setEnabled(true);
    EXPECT_EQ(fake->calls, (QStringList{"setLoginItemEnabled org.zendra.Zendra-LoginLaunchHelper true"}));
    EXPECT_TRUE(fake->helperEnabled);

    const QVariantMap helper{{"Label", "org.zendra.Zendra-LoginLaunchHelper"}, {"OnDemand", true}};
    const std::pair<QVariant, bool> cases[] = {
        {QVariant(), false},
        {FakeLoginPlatform::jobsWithHelper(true), true},
        {FakeLoginPlatform::jobsWithHelper(QVariant()), false},
        {FakeLoginPlatform::jobsWithHelper("yes"), false},
        {QVariantList{helper,
                      QVariantMap{{"Label", "org.zendra.Zendra-LoginLaunchHelper"}, {"OnDemand", false}}},
         true},
        {QVariantList{QVariantMap{{"Label", "org.zendra.Zendra-LoginLaunchHelper"}, {"OnDemand", false}},
                      helper},
         false},
        {QVariantList{helper, QString("not a dictionary")}, false},
        {QVariantList{
             QVariantMap{{"Label", QStringList{"org.zendra.Zendra-LoginLaunchHelper"}}, {"OnDemand", true}}},
         false},
        {QVariant(QVariantMap(helper)), false},
    };
    int index = 0;
    for (const auto& [jobs, expected] : cases) {
        fake->jobs = jobs;
        EXPECT_EQ(LoginLaunch::isEnabled(), expected) << "case " << index;
        ++index;
    }
}

TEST_F(LoginLaunchTest, WithoutAnInstalledServiceEverythingIsAbsorbed) {
    LoginLaunch::setPlatform(nullptr);
    EXPECT_FALSE(LoginLaunch::isEnabled());
    LoginLaunch::setEnabled(true);
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged.front().startsWith("Failed to enable launch at login: "));
}

} // namespace
