#include "hotkeys/carbon_hotkeys.h"
#include "hotkeys/display.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/shortcut_attachment.h"
#include "platform/linux/x11/hot_keys.h"
#include "platform/linux/x11/keyboard_layout.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

using namespace zendra;

namespace {

using namespace Hotkeys;
using namespace std::chrono_literals;

using zendra::test::X11Input;
constexpr std::uint8_t kKey = 45;

// Lets events that may still arrive arrive, for checks that something did not happen.
void settle(zendra::x11::HotKeys& hotKeys) {
    zendra::test::waitUntil([] { return false; }, 200ms);
    hotKeys.processEvents();
}

class X11HotKeysTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(hotKeys->isAvailable());
        setEnvironment({Prefs::Suite::makeInMemory(), hotKeys, layout, hotKeys});
    }
    void TearDown() override {
        setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
        QCoreApplication::processEvents();
    }

    std::shared_ptr<zendra::x11::HotKeys> hotKeys = std::make_shared<zendra::x11::HotKeys>();
    std::shared_ptr<zendra::x11::KeyboardLayout> layout = std::make_shared<zendra::x11::KeyboardLayout>();
    X11Input typist;
    const Name name = Name::fromRawValue("toggleEditWindow");
    const Shortcut optionCommandK{Key::k, ModifierFlag::option | ModifierFlag::command};
};

TEST_F(X11HotKeysTest, StoredShortcutFiresOncePerPressAndReleaseUntilCleared) {
    QObject owner;
    int ups = 0;
    int downs = 0;
    onKeyboardShortcut(&owner, name, EventType::keyUp, [&] { ++ups; });
    onKeyDown(name, [&] { ++downs; });
    QCoreApplication::processEvents();
    setShortcut(optionCommandK, name);

    typist.chord({X11Input::superKey, X11Input::altKey, kKey});
    ASSERT_TRUE(zendra::test::waitUntil([&] { return ups == 1; }));
    EXPECT_EQ(downs, 1);

    typist.chord({X11Input::altKey, kKey});
    typist.chord({X11Input::superKey, kKey});
    settle(*hotKeys);
    EXPECT_EQ(ups, 1) << "other combinations of the key are not grabbed";

    typist.key(true, X11Input::superKey);
    typist.key(true, X11Input::altKey);
    typist.key(true, kKey);
    zendra::test::waitUntil([] { return false; }, 1200ms); // past the server's auto-repeat delay
    typist.key(false, kKey);
    typist.key(false, X11Input::altKey);
    typist.key(false, X11Input::superKey);
    ASSERT_TRUE(zendra::test::waitUntil([&] { return ups == 2; }));
    EXPECT_EQ(downs, 2) << "a held key is one press";

    typist.chord({X11Input::capsLockKey}); // Caps Lock on
    typist.key(true, X11Input::superKey);
    typist.key(true, X11Input::altKey);
    typist.key(true, kKey);
    typist.key(false, X11Input::superKey);
    typist.key(false, X11Input::altKey);
    typist.key(false, kKey); // released with no modifier left down
    const bool released = zendra::test::waitUntil([&] { return ups == 3; });
    typist.chord({X11Input::capsLockKey});
    ASSERT_TRUE(released);

    setShortcut(std::nullopt, name);
    typist.chord({X11Input::superKey, X11Input::altKey, kKey});
    settle(*hotKeys);
    EXPECT_EQ(ups, 3) << "a cleared shortcut no longer fires";
    EXPECT_EQ(downs, 3);
}

TEST_F(X11HotKeysTest, CombinationHeldByAnotherClientIsRefused) {
    const std::uint16_t mask = XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
    ASSERT_TRUE(typist.grabKey(kKey, mask));
    EXPECT_EQ(hotKeys->availability(optionCommandK), SystemWideAvailability::heldByAnotherClient);
    EXPECT_EQ(hotKeys->availability(Shortcut(Key::k, ModifierFlag::command)),
              SystemWideAvailability::available);
    EXPECT_TRUE(typist.grabKey(kKey, XCB_MOD_MASK_4)) << "the trial grab was released at once";
    typist.ungrabKey(kKey, XCB_MOD_MASK_4);

    int ups = 0;
    onKeyUp(name, [&] { ++ups; });
    setShortcut(optionCommandK, name);
    EXPECT_TRUE(CarbonHotkeys::hotKeyTable().empty()) << "a refused registration has no table entry";
    EXPECT_TRUE(activeShortcuts().contains(optionCommandK));
    EXPECT_EQ(getShortcut(name), optionCommandK) << "still stored";

    typist.ungrabKey(kKey, mask);
    setShortcut(optionCommandK, name);
    ASSERT_EQ(CarbonHotkeys::hotKeyTable().size(), 1u) << "setting it again retries";
    EXPECT_EQ(hotKeys->availability(optionCommandK), SystemWideAvailability::available)
        << "our own registration is not another client's";
    typist.chord({X11Input::superKey, X11Input::altKey, kKey});
    ASSERT_TRUE(zendra::test::waitUntil([&] { return ups == 1; })) << "the check left our grab in place";
}

TEST_F(X11HotKeysTest, KeysWithoutAnXKeyCodeAreRefused) {
    HotKeyRef reference;
    const auto target = hotKeys->eventDispatcherTarget();
    EXPECT_EQ(hotKeys->registerEventHotKey(Key::function.rawValue, 0, {CarbonHotkeys::signature, 1}, target,
                                           0, reference),
              paramErr);
    EXPECT_EQ(hotKeys->registerEventHotKey(0x0A, 0, {CarbonHotkeys::signature, 1}, target, 0, reference),
              paramErr);
    EXPECT_FALSE(reference);
    EXPECT_EQ(hotKeys->availability(Shortcut(Key::function.rawValue)), SystemWideAvailability::unknown);
}

TEST_F(X11HotKeysTest, DescriptionUsesTheFirstAsciiGroupAndFollowsLayoutChanges) {
    auto setLayout = [](const QString& layouts) {
        ASSERT_EQ(QProcess::execute("setxkbmap", {"-layout", layouts}), 0);
    };
    setLayout("us");
    EXPECT_EQ(optionCommandK.description(), "⌥⌘K");
    EXPECT_EQ(Shortcut(Key::q, ModifierFlag::control).description(), "⌃Q");
    EXPECT_EQ(Shortcut(Key::keypad1.rawValue).description(), "1");
    EXPECT_EQ(Shortcut(Key::slash.rawValue).description(), "/");
    EXPECT_EQ(Shortcut(Key::shift, ModifierFlag::command).description(), "⌘")
        << "a modifier key types nothing";
    EXPECT_EQ(menuKeyEquivalent(optionCommandK), "k");

    setLayout("ru,us");
    EXPECT_EQ(layout->asciiLayoutIndex(), 1u) << "the Cyrillic first group does not type ASCII";
    EXPECT_EQ(optionCommandK.description(), "⌥⌘K") << "a Latin letter, shown at once";

    setLayout("fr");
    EXPECT_EQ(Shortcut(Key::q.rawValue).description(), "A") << "the AZERTY key in the Q position";

    setLayout("ru");
    EXPECT_FALSE(layout->asciiLayoutIndex());
    EXPECT_EQ(Shortcut(Key::k, ModifierFlag::command).description(), QStringLiteral("⌘\uFFFD"));
    EXPECT_EQ(menuKeyEquivalent(optionCommandK), "");
    EXPECT_EQ(Shortcut(Key::f5.rawValue).description(), "F5");
    setLayout("us");
}

TEST(X11WithoutServer, RegistrationsFailAndOneLineSaysSo) {
    testing::internal::CaptureStderr();
    auto hotKeys = std::make_shared<zendra::x11::HotKeys>(":4711");
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
    EXPECT_NE(output.find("global shortcuts are unavailable"), std::string::npos);
    EXPECT_FALSE(hotKeys->isAvailable());
    EXPECT_EQ(hotKeys->availability(Shortcut(Key::k.rawValue)), SystemWideAvailability::unknown);

    auto layout = std::make_shared<zendra::x11::KeyboardLayout>(":4711");
    setEnvironment({Prefs::Suite::makeInMemory(), hotKeys, layout, hotKeys});
    const auto name = Name::fromRawValue("n");
    setShortcut(Shortcut(Key::k.rawValue), name);
    EXPECT_TRUE(CarbonHotkeys::hotKeyTable().empty());
    EXPECT_EQ(getShortcut(name), Shortcut(Key::k.rawValue)) << "stored all the same";
    EXPECT_EQ(Shortcut(Key::k.rawValue).description(), QStringLiteral("\uFFFD"));
    setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
}

} // namespace
