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

TEST_F(ToggleTest, ShowsTheStateAtCreationAndFollowsChangesMadeElsewhere) {
    fake->appStatus = AppServiceStatus::enabled;
    LoginLaunch::Toggle toggle;
    EXPECT_EQ(toggle.text(), "Launch at login");
    EXPECT_TRUE(toggle.isChecked());

    LoginLaunch::setEnabled(false);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(fake->calls.count("unregister"), 1) << "following a change does not write it again";

    fake->appStatus = AppServiceStatus::enabled; // changed outside the application
    toggle.hide();
    toggle.show();
    EXPECT_TRUE(toggle.isChecked());
}

} // namespace
