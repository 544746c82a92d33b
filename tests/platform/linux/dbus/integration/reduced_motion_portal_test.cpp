// The desktop's reduced-motion preference through a portal on the private session bus.
#include "fake_portal.h"
#include "platform/linux/dbus/reduced_motion_portal.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using zendra::PortalReducedMotion;
using zendra::test::FakePortal;
using zendra::test::waitUntil;

TEST(ReducedMotionPortalTest, AnyDesktopsSettingAsksForItAndItFollowsChanges) {
    {
        PortalReducedMotion noPortal;
        waitUntil([] { return false; }, 200ms);
        EXPECT_FALSE(noPortal.prefersReducedMotion()) << "no portal: animations on";
    }

    FakePortal portal(0);
    const QString gnome = "org.gnome.desktop.interface";
    const QString kde = "org.kde.kdeglobals.KDE";
    portal.change(gnome, "enable-animations", false);
    PortalReducedMotion motion;
    ASSERT_TRUE(waitUntil([&] { return motion.prefersReducedMotion(); })) << "read at start";

    portal.change(gnome, "enable-animations", true);
    ASSERT_TRUE(waitUntil([&] { return !motion.prefersReducedMotion(); })) << "followed";
    portal.change(kde, "AnimationDurationFactor", QString("0"));
    ASSERT_TRUE(waitUntil([&] { return motion.prefersReducedMotion(); })) << "KDE's factor 0, sent as text";
    portal.change(kde, "AnimationDurationFactor", 0.5);
    ASSERT_TRUE(waitUntil([&] { return !motion.prefersReducedMotion(); }));
    portal.change("org.freedesktop.appearance", "reduced-motion", 1u);
    ASSERT_TRUE(waitUntil([&] { return motion.prefersReducedMotion(); }));
    portal.change("org.freedesktop.appearance", "reduced-motion", 0u);
    ASSERT_TRUE(waitUntil([&] { return !motion.prefersReducedMotion(); }));

    portal.change(gnome, "enable-animations", QString("false"));
    portal.change(kde, "AnimationDurationFactor", QString());
    waitUntil([] { return false; }, 200ms);
    EXPECT_FALSE(motion.prefersReducedMotion()) << "values of the wrong kind say nothing";
}

} // namespace
