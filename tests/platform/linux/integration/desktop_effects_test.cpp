// Whether a compositor draws the windows, on the private X server.
#include "platform/linux/desktop_effects.h"

#include <QDBusConnection>
#include <gtest/gtest.h>
#include <memory>
#include <xcb/xcb.h>

namespace {

TEST(DesktopEffectsTest, CompositingFollowsTheOwnerOfTheCompositingManagerSelection) {
    const zendra::LinuxDesktopEffects effects(QDBusConnection(QStringLiteral("none")));
    EXPECT_FALSE(effects.isCompositing()) << "a bare X server";
    EXPECT_FALSE(effects.prefersReducedMotion()) << "no bus, no preference";

    // A pretend compositing manager takes the selection, as a real one does at start.
    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> manager(
        xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
    ASSERT_EQ(xcb_connection_has_error(manager.get()), 0);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(manager.get())).data;
    const xcb_window_t owner = xcb_generate_id(manager.get());
    xcb_create_window(manager.get(), XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber);
    auto* atom = xcb_intern_atom_reply(manager.get(),
                                       xcb_intern_atom(manager.get(), 0, name.size(), name.c_str()), nullptr);
    ASSERT_NE(atom, nullptr);
    xcb_set_selection_owner(manager.get(), owner, atom->atom, XCB_CURRENT_TIME);
    free(atom);
    free(xcb_get_input_focus_reply(manager.get(), xcb_get_input_focus(manager.get()), nullptr));
    EXPECT_TRUE(effects.isCompositing());

    xcb_destroy_window(manager.get(), owner);
    free(xcb_get_input_focus_reply(manager.get(), xcb_get_input_focus(manager.get()), nullptr));
    EXPECT_FALSE(effects.isCompositing()) << "the manager went away";
}

} // namespace
