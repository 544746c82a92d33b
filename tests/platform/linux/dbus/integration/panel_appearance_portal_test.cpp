// The desktop's colour-scheme preference through a portal on the private session bus.
#include "fake_portal.h"
#include "platform/linux/dbus/panel_appearance_portal.h"
#include "support/wait_until.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using zendra::PortalPanelAppearance;
using zendra::test::FakePortal;
using zendra::test::waitUntil;

TEST(PanelAppearancePortalTest, FollowsTheDesktopsSchemeAndFallsBackToThePaletteWithoutOne) {
    FakePortal portal(1);
    PortalPanelAppearance appearance;
    int changes = 0;
    appearance.setOnChange([&] { ++changes; });
    ASSERT_TRUE(waitUntil([&] { return appearance.desktopPrefersDark().has_value(); }));
    EXPECT_TRUE(appearance.isDark());
    EXPECT_EQ(changes, PortalPanelAppearance::paletteIsDark(QGuiApplication::palette()) ? 0 : 1);

    changes = 0;
    portal.change(2);
    ASSERT_TRUE(waitUntil([&] { return changes == 1; }));
    EXPECT_FALSE(appearance.isDark());

    portal.change(0);
    ASSERT_TRUE(waitUntil([&] { return !appearance.desktopPrefersDark().has_value(); }));
    EXPECT_EQ(appearance.isDark(), PortalPanelAppearance::paletteIsDark(QGuiApplication::palette()))
        << "no preference: the palette decides";
}

TEST(PanelAppearancePortalTest, WithoutAPortalThePaletteAnswersAtOnce) {
    QElapsedTimer timer;
    timer.start();
    PortalPanelAppearance appearance;
    EXPECT_LT(timer.elapsed(), 1000) << "the portal is asked without waiting for it";
    waitUntil([] { return false; }, 200ms);
    EXPECT_FALSE(appearance.desktopPrefersDark().has_value());
    EXPECT_EQ(appearance.isDark(), PortalPanelAppearance::paletteIsDark(QGuiApplication::palette()));
}

} // namespace
