#include "kit/kit.h"
#include "platform/linux/x11/keyboard_modifiers.h"
#include "prefs/suite.h"
#include "support/x11_input.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <vector>

using namespace zendra;

namespace {

using namespace KZApp;
using zendra::test::X11Input;

// Holds keys down on the private X server until it goes out of scope.
struct HeldKeys {
    HeldKeys(X11Input& input, std::initializer_list<std::uint8_t> keys) : input(input), keys(keys) {
        for (auto key : keys) {
            input.key(true, key);
        }
    }
    ~HeldKeys() {
        for (auto key : keys) {
            input.key(false, key);
        }
    }
    X11Input& input;
    std::vector<std::uint8_t> keys;
};

TEST(XcbKeyboardModifiersTest, ReportsTheKeysHeldOnTheServerAndTheKitSeesTheChordAtLaunch) {
    zendra::x11::XcbKeyboardModifiers modifiers;
    EXPECT_EQ(chordModifiers(modifiers.held()), 0u);
    X11Input input;
    HeldKeys chord(input, {X11Input::shiftKey, X11Input::controlKey, X11Input::altKey});
    EXPECT_EQ(chordModifiers(modifiers.held()), debugWindowChord);

    input.chord({X11Input::capsLockKey}); // Caps Lock on
    const auto withCapsLock = modifiers.held();
    input.chord({X11Input::capsLockKey}); // and off again
    EXPECT_TRUE(withCapsLock & Modifier::capsLock);
    EXPECT_EQ(chordModifiers(withCapsLock), debugWindowChord) << "Caps Lock does not spoil the chord";

    HeldKeys super(input, {X11Input::superKey});
    EXPECT_EQ(chordModifiers(modifiers.held()), dataResetChord);
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
    EXPECT_EQ(zendra::x11::XcbKeyboardModifiers(":987").held(), 0u);
}

} // namespace
