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

namespace {

using zendra::chooseAutomaticPanelPlace;
using zendra::PanelHostFacts;
using State = zendra::PanelItemSwitch::PanelState;
using Notifier = PanelHostFacts::Notifier;

PanelHostFacts facts(Notifier notifier, std::optional<bool> plasma, bool applet, bool waitOver) {
    PanelHostFacts result;
    result.notifier = notifier;
    result.plasmaShell = plasma;
    result.appletHosted = applet;
    result.appletWaitOver = waitOver;
    return result;
}

TEST(DisplayChoiceTest, TheItemGoesWhereTheUserCanReadItsText) {
    // Plasma's tray draws the item as an icon only: the applet, else Zendra's window.
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::hosted, true, true, false)), State::hosted);
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::hosted, true, false, true)), State::unhosted)
        << "an icon in Plasma's tray is not enough";
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::unhosted, true, false, true)), State::unhosted);
    // The applet a moment to register before the window flashes up, and none while plasmashell's
    // presence is being asked.
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::hosted, true, false, false)), State::pending);
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::unhosted, std::nullopt, false, true)),
              State::pending);
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::unhosted, std::nullopt, true, false)), State::hosted);

    // Elsewhere trays that show the label keep the item, as before; the applet still wins.
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::hosted, false, false, false)), State::hosted);
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::unknown, false, false, true)), State::pending);
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::unhosted, false, false, true)), State::unhosted);
    EXPECT_EQ(chooseAutomaticPanelPlace(facts(Notifier::unhosted, false, true, true)), State::hosted);
}

} // namespace
