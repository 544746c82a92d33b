#include "kit/kit.h"
#include "platform/linux/x11/keyboard_modifiers.h"
#include "platform/linux/x11/connection.h"
#include "prefs/suite.h"

#include <QCoreApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

using namespace zendra;

namespace {

using namespace KZApp;

// Presses keys on the private X server through the XTEST extension; releases them all when done.
class FakeKeyboard {
public:
    FakeKeyboard() : connection_() {}
    ~FakeKeyboard() {
        for (auto it = pressed_.rbegin(); it != pressed_.rend(); ++it) {
            send(XCB_KEY_RELEASE, *it);
        }
        sync();
    }

    bool isValid() const { return connection_.isValid(); }

    void press(std::uint32_t keysym) {
        const auto code = keycode(keysym);
        send(XCB_KEY_PRESS, code);
        pressed_.push_back(code);
        sync();
    }
    void release(std::uint32_t keysym) {
        const auto code = keycode(keysym);
        send(XCB_KEY_RELEASE, code);
        std::erase(pressed_, code);
        sync();
    }
    void tap(std::uint32_t keysym) {
        press(keysym);
        release(keysym);
    }

private:
    std::uint8_t keycode(std::uint32_t keysym) {
        xcb_connection_t* c = connection_.get();
        const xcb_setup_t* setup = xcb_get_setup(c);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        auto* reply = xcb_get_keyboard_mapping_reply(
            c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr);
        std::uint8_t found = 0;
        if (reply != nullptr) {
            const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
            for (int i = 0; i < count * reply->keysyms_per_keycode && found == 0; ++i) {
                if (syms[i] == keysym) {
                    found = static_cast<std::uint8_t>(setup->min_keycode + i / reply->keysyms_per_keycode);
                }
            }
            std::free(reply);
        }
        EXPECT_NE(found, 0) << "no key for keysym " << keysym;
        return found;
    }
    void send(std::uint8_t type, std::uint8_t code) {
        xcb_test_fake_input(connection_.get(), type, code, XCB_CURRENT_TIME, connection_.rootWindow(), 0, 0,
                            0);
    }
    void sync() {
        std::free(
            xcb_get_input_focus_reply(connection_.get(), xcb_get_input_focus(connection_.get()), nullptr));
    }

    zendra::x11::Connection connection_;
    std::vector<std::uint8_t> pressed_;
};

constexpr std::uint32_t shiftL = 0xffe1, controlL = 0xffe3, capsLock = 0xffe5, altL = 0xffe9, superL = 0xffeb;

TEST(XcbKeyboardModifiersTest, ReportsTheKeysHeldOnTheServer) {
    FakeKeyboard keyboard;
    ASSERT_TRUE(keyboard.isValid());
    zendra::x11::XcbKeyboardModifiers modifiers;
    EXPECT_EQ(chordModifiers(modifiers.held()), 0u);

    keyboard.press(shiftL);
    keyboard.press(controlL);
    keyboard.press(altL);
    EXPECT_EQ(chordModifiers(modifiers.held()), debugWindowChord);
    keyboard.press(superL);
    EXPECT_EQ(chordModifiers(modifiers.held()), dataResetChord);
    keyboard.release(superL);

    keyboard.tap(capsLock); // Caps Lock on
    const auto withCapsLock = modifiers.held();
    EXPECT_TRUE(withCapsLock & Modifier::capsLock);
    EXPECT_EQ(chordModifiers(withCapsLock), debugWindowChord) << "Caps Lock does not spoil the chord";
    keyboard.tap(capsLock); // and off again
}

TEST(XcbKeyboardModifiersTest, TheKitSeesTheDataResetChordHeldAtLaunch) {
    FakeKeyboard keyboard;
    for (auto key : {shiftL, controlL, altL, superL}) {
        keyboard.press(key);
    }
    int resetPrompts = 0, debugWindows = 0;
    KZKit::Environment environment;
    environment.suite = Prefs::Suite::makeInMemory();
    environment.modifiers = std::make_shared<zendra::x11::XcbKeyboardModifiers>();
    environment.hooks.runDataResetPrompt = [&] { ++resetPrompts; };
    environment.hooks.openDebugWindow = [&] { ++debugWindows; };
    KZKit kit(environment);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(resetPrompts, 1);
    EXPECT_EQ(debugWindows, 0);
}

TEST(XcbKeyboardModifiersTest, NoServerMeansNothingHeld) {
    zendra::x11::XcbKeyboardModifiers modifiers(":987");
    EXPECT_EQ(modifiers.held(), 0u);
}

} // namespace
