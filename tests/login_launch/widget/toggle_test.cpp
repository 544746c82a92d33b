#include "login_launch/fakes/fake_login_platform.h"
#include "login_launch/login_launch.h"
#include "login_launch/toggle.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using LoginLaunch::AppServiceStatus;

struct ToggleTest : testing::Test {
    std::shared_ptr<zendra::test::FakeLoginPlatform> fake =
        std::make_shared<zendra::test::FakeLoginPlatform>();
    QtMessageHandler previous = nullptr;

    void SetUp() override {
        LoginLaunch::setPlatform(fake);
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        LoginLaunch::setPlatform(nullptr);
    }
};

TEST_F(ToggleTest, LabelsAndInitialState) {
    fake->appStatus = AppServiceStatus::enabled;
    LoginLaunch::Toggle toggle;
    EXPECT_EQ(toggle.text(), "Launch at login");
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(LoginLaunch::Toggle("Start with the session").text(), "Start with the session");
    std::unique_ptr<LoginLaunch::Toggle> localized(LoginLaunch::Toggle::localized("Launch at login"));
    EXPECT_EQ(localized->text(), "Launch at login");
}

TEST_F(ToggleTest, ClickingRegistersAndAFailureFlipsTheSwitchBack) {
    LoginLaunch::Toggle toggle;
    toggle.show();
    ASSERT_FALSE(toggle.isChecked());

    QTest::mouseClick(&toggle, Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(fake->appStatus, AppServiceStatus::enabled);

    fake->unregisterError = "Permission denied";
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_FALSE(toggle.isChecked()) << "the click shows at once";
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(toggle.isChecked()) << "then the switch shows the real state";
}

TEST_F(ToggleTest, FollowsChangesMadeElsewhere) {
    LoginLaunch::Toggle toggle;
    LoginLaunch::setEnabled(true);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(fake->calls.count("register"), 1) << "following a change does not write it again";

    fake->appStatus = AppServiceStatus::notRegistered; // changed outside the application
    toggle.hide();
    toggle.show();
    EXPECT_FALSE(toggle.isChecked());
}

} // namespace
