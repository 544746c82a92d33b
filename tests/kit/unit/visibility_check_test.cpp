#include "kit/visibility_check.h"
#include "prefs/prefs.h"

#include <gtest/gtest.h>

using namespace zendra;
using namespace zendra::KZApp;

namespace {

TEST(VisibilityCheckTest, OnlyAnItemTheApplicationShowsAndThePanelLeftOffIsHidden) {
    EXPECT_TRUE(isItemHidden({.shownByApplication = true, .exists = true, .onScreen = false}));
    EXPECT_FALSE(isItemHidden({.shownByApplication = true, .exists = true, .onScreen = true}));
    EXPECT_FALSE(isItemHidden({.shownByApplication = false, .exists = true, .onScreen = false}));
    EXPECT_FALSE(isItemHidden({.shownByApplication = true, .exists = false, .onScreen = false}));
}

TEST(VisibilityCheckTest, AutoHideIsAPanelStripThinnerThanAPanel) {
    const QRect screen(0, 0, 1920, 1080);
    const auto reserving = [&](int top, int bottom) {
        return std::vector<ScreenArea>{{screen, screen.adjusted(0, top, 0, -bottom), std::nullopt}};
    };
    EXPECT_FALSE(isPanelAutoHiding({}));
    EXPECT_TRUE(isPanelAutoHiding(reserving(0, 0)));
    EXPECT_TRUE(isPanelAutoHiding(reserving(24, 0)));
    EXPECT_FALSE(isPanelAutoHiding(reserving(25, 0)));
    EXPECT_FALSE(isPanelAutoHiding(reserving(0, 40))) << "a panel at the bottom is a panel too";
    auto notched = reserving(30, 0);
    EXPECT_FALSE(isPanelAutoHiding(notched));
    notched.front().auxiliaryTopRight = QRect(1100, 0, 820, 30);
    EXPECT_TRUE(isPanelAutoHiding(notched)) << "beside a camera housing the panel is taller";
    const std::vector<ScreenArea> secondScreenPanel{reserving(0, 0).front(), reserving(40, 0).front()};
    EXPECT_TRUE(isPanelAutoHiding(secondScreenPanel)) << "only the first screen counts";
}

struct AlertFlowTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    bool onScreen = false;
    int topStrip = 32;
    VisibilityAlertResponse response;
    std::vector<VisibilityAlert> shown;
    int settingsOpened = 0;

    VisibilityCheck check() {
        VisibilityCheck check;
        check.suite = suite;
        check.presence = [this] { return ItemPresence{true, true, onScreen}; };
        check.screens = [this] {
            const QRect screen(0, 0, 1280, 800);
            return std::vector<ScreenArea>{{screen, screen.adjusted(0, topStrip, 0, 0), std::nullopt}};
        };
        check.showAlert = [this](const VisibilityAlert& alert) {
            shown.push_back(alert);
            return response;
        };
        check.openSettings = [this] { ++settingsOpened; };
        return check;
    }
    bool flag() const { return Prefs::get(Prefs::Key<bool>(visibilityFlagName, false, suite)); }
};

TEST_F(AlertFlowTest, NormalAlertSetsTheFlagOnlyWithItsCheckbox) {
    onScreen = true;
    EXPECT_FALSE(runVisibilityCheck(check(), "Advice."));
    onScreen = false;

    ASSERT_TRUE(runVisibilityCheck(check(), QString("You could also try lowering the maximum width.")));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Panel Item Did Not Appear");
    EXPECT_EQ(shown[0].okButton, "OK");
    EXPECT_EQ(shown[0].settingsButton, "Open Settings");
    EXPECT_EQ(shown[0].suppression, QString("Do not show this again"));
    EXPECT_TRUE(shown[0].text.endsWith(".\n\nYou could also try lowering the maximum width."));
    EXPECT_FALSE(flag()) << "OK with the checkbox off lets the alert come back";
    EXPECT_EQ(settingsOpened, 0);

    response = {.settingsChosen = true, .suppress = true};
    ASSERT_TRUE(runVisibilityCheck(check(), std::nullopt));
    EXPECT_TRUE(flag());
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_FALSE(shown[1].text.contains("\n\n")) << "no additional text, no blank line";

    EXPECT_FALSE(runVisibilityCheck(check(), std::nullopt)) << "the flag silences the alert";
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(AlertFlowTest, AutoHideAlertHasNoCheckboxAndAlwaysSetsTheFlag) {
    topStrip = 0;
    ASSERT_TRUE(runVisibilityCheck(check(), QString("Advice.")));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(shown[0].suppression.has_value());
    EXPECT_EQ(shown[0].minimumWidth, 260);
    EXPECT_TRUE(shown[0].text.contains("It will not be shown again.\n\nAdvice."));
    EXPECT_TRUE(flag()) << "set whatever the response";
    EXPECT_EQ(settingsOpened, 0);
    EXPECT_EQ(visibilityAlert(false, std::nullopt, false).settingsButton, "Open Preferences");
}

} // namespace
