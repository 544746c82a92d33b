#include "app/display_choice.h"

#include <gtest/gtest.h>

namespace {

using zendra::chooseDisplay;
using zendra::DisplaySession;

DisplaySession session(QByteArray requested, bool wayland, bool x11, bool waylandPlugin) {
    return {std::move(requested), wayland, x11, waylandPlugin};
}

TEST(DisplayChoiceTest, StartsOnWhatTheSessionOffersAndExplainsWhatItCannotUse) {
    // Both usable: Qt's own choice, silently.
    const auto both = chooseDisplay(session("", true, true, true));
    EXPECT_TRUE(both.canStart);
    EXPECT_FALSE(both.platform);
    EXPECT_TRUE(both.message.isEmpty());

    // GNOME: XWayland, where the own bar can sit under the top bar; without it, Wayland.
    auto gnome = session("", true, true, true);
    gnome.gnome = true;
    EXPECT_EQ(chooseDisplay(gnome).platform, QByteArray("xcb"));
    EXPECT_TRUE(chooseDisplay(gnome).message.isEmpty());
    gnome.x11 = false;
    EXPECT_EQ(chooseDisplay(gnome).platform, QByteArray("wayland"));

    // Wayland without XWayland: Qt would pick X11 and fail.
    EXPECT_EQ(chooseDisplay(session("", true, false, true)).platform, QByteArray("wayland"));

    // No Wayland plugin: XWayland, with a line that names the package.
    const auto fallback = chooseDisplay(session("", true, true, false));
    EXPECT_TRUE(fallback.canStart);
    EXPECT_EQ(fallback.platform, QByteArray("xcb"));
    EXPECT_TRUE(fallback.message.contains("qt6-wayland")) << fallback.message.toStdString();
    EXPECT_TRUE(chooseDisplay(session("", false, true, false)).message.isEmpty()) << "plain X11 is quiet";

    // A request that cannot work falls back the same way and says so.
    const auto requested = chooseDisplay(session("wayland", true, true, false));
    EXPECT_EQ(requested.platform, QByteArray("xcb"));
    EXPECT_TRUE(requested.message.contains("QT_QPA_PLATFORM=wayland")) << requested.message.toStdString();
    EXPECT_EQ(chooseDisplay(session("xcb", true, false, true)).platform, QByteArray("wayland"));
    // A request that can work is kept, also one needing no display server.
    for (const char* kept : {"wayland-egl;xcb", "xcb:no-grab", "offscreen"}) {
        const auto choice = chooseDisplay(session(kept, false, true, false));
        EXPECT_TRUE(choice.canStart && !choice.platform && choice.message.isEmpty()) << kept;
    }
    EXPECT_TRUE(chooseDisplay(session("offscreen", false, false, false)).canStart);

    // Nothing to show windows on: one line, no start.
    for (const auto& none : {session("", false, false, true), session("xcb", false, false, true),
                             session("", true, false, false)}) {
        const auto choice = chooseDisplay(none);
        EXPECT_FALSE(choice.canStart);
        EXPECT_FALSE(choice.message.isEmpty());
        EXPECT_FALSE(choice.message.contains('\n'));
    }
    EXPECT_TRUE(chooseDisplay(session("", false, false, false)).message.contains("graphical session"));
    EXPECT_TRUE(chooseDisplay(session("", true, false, false)).message.contains("qt6-wayland"));
}

} // namespace
