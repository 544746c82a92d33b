#include "hotkeys/carbon_hotkeys.h"
#include "hotkeys/fakes/hotkeys_fixture.h"

using namespace zendra;

namespace {

using namespace Hotkeys;

class Registration : public zendra::test::HotkeysFixture {
protected:
    std::vector<std::pair<char, Shortcut>> calls;
    CarbonHotkeys::Callback down = [this](const Shortcut& s) { calls.emplace_back('d', s); };
    CarbonHotkeys::Callback up = [this](const Shortcut& s) { calls.emplace_back('u', s); };
    const Shortcut f5{Key::f5.rawValue};
    const Shortcut commandK{Key::k, ModifierFlag::command};
};

TEST_F(Registration, IdentifiersAdvanceOnEveryAttemptAndTheHandlerIsInstalledOnce) {
    CarbonHotkeys::registerShortcut(f5, down, up);
    const auto first = manager->live.back().identity;
    EXPECT_EQ(first.signature, 0x4B5A484Bu) << "KZHK, first character most significant";

    manager->refuse = [](std::uint32_t keyCode, std::uint32_t) { return keyCode == 0x28; };
    CarbonHotkeys::registerShortcut(commandK, down, up);
    EXPECT_EQ(CarbonHotkeys::hotKeyTable().size(), 1u) << "a refused registration leaves no entry";

    CarbonHotkeys::registerShortcut(Shortcut(Key::f6.rawValue), down, up);
    EXPECT_EQ(manager->live.back().identity.id, first.id + 2);
    EXPECT_EQ(CarbonHotkeys::hotKeyTable().rbegin()->first, first.id + 2);
    EXPECT_EQ(manager->installCalls, 1);
    EXPECT_TRUE(CarbonHotkeys::hasEventHandler());
    const std::vector<EventTypeSpec> expected{{fourCharCode("keyb"), 5}, {fourCharCode("keyb"), 6}};
    EXPECT_EQ(manager->handlerTypes, expected) << "pressed and released";
}

TEST_F(Registration, NothingIsHeldWithoutATargetAndOutOfRangeValuesNeverReachTheSystem) {
    manager->available = false;
    CarbonHotkeys::registerShortcut(f5, down, up);
    EXPECT_EQ(manager->registerCalls, 1);
    EXPECT_TRUE(CarbonHotkeys::hotKeyTable().empty());
    EXPECT_FALSE(CarbonHotkeys::hasEventHandler());

    const auto before = CarbonHotkeys::nextHotKeyId();
    CarbonHotkeys::registerShortcut(Shortcut::unmasked(-1, 0), down, up);
    CarbonHotkeys::registerShortcut(Shortcut::unmasked(40, std::int64_t{1} << 32), down, up);
    CarbonHotkeys::registerShortcut(Shortcut::unmasked(std::int64_t{1} << 40, 0x100), down, up);
    EXPECT_EQ(manager->registerCalls, 1);
    EXPECT_EQ(CarbonHotkeys::nextHotKeyId(), before + 3);
    CarbonHotkeys::registerShortcut(Shortcut::unmasked(0xFFFFFFFF, 0), down, up);
    EXPECT_EQ(manager->registerCalls, 2) << "the largest unsigned 32-bit value is passed on";
}

TEST_F(Registration, UnregisterRemovesEveryEntryOfTheShortcut) {
    CarbonHotkeys::registerShortcut(f5, down, up);
    CarbonHotkeys::registerShortcut(f5, down, up);
    CarbonHotkeys::registerShortcut(commandK, down, up);
    CarbonHotkeys::unregisterShortcut(f5);
    EXPECT_EQ(manager->unregisterCalls, 2);
    ASSERT_EQ(CarbonHotkeys::hotKeyTable().size(), 1u);
    EXPECT_EQ(CarbonHotkeys::hotKeyTable().begin()->second->shortcut, commandK);
    CarbonHotkeys::unregisterShortcut(Shortcut(Key::f9.rawValue));
    EXPECT_EQ(manager->unregisterCalls, 2) << "an unknown shortcut changes nothing";
}

TEST_F(Registration, CallbackRoutesOnlyItsOwnEventsWhileTheHotKeyIsRegistered) {
    CarbonHotkeys::registerShortcut(f5, down, up);
    const auto identity = manager->live.back().identity;

    EXPECT_EQ(CarbonHotkeys::hotKeyEventCallback({}, nullptr, nullptr), eventNotHandledErr);
    EXPECT_EQ(manager->deliver(Event{kEventClassKeyboard, 5, std::nullopt}), eventParameterNotFoundErr);
    EXPECT_EQ(manager->deliver(5, {fourCharCode("ABCD"), identity.id}), eventNotHandledErr);
    EXPECT_EQ(manager->deliver(5, {identity.signature, identity.id + 100}), eventNotHandledErr);
    EXPECT_EQ(manager->deliver(7, identity), eventNotHandledErr);
    EXPECT_TRUE(calls.empty());

    EXPECT_EQ(manager->deliver(5, identity), noErr);
    EXPECT_EQ(manager->deliver(6, identity), noErr);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair('d', f5));
    EXPECT_EQ(calls[1], std::make_pair('u', f5));

    CarbonHotkeys::unregisterShortcut(f5);
    EXPECT_EQ(manager->deliver(5, identity), eventNotHandledErr) << "unregistered in the meantime";
    EXPECT_EQ(calls.size(), 2u);

    CarbonHotkeys::registerShortcut(
        f5, [](const Shortcut& s) { CarbonHotkeys::unregisterShortcut(s); }, up);
    EXPECT_TRUE(manager->press(f5)) << "a callback may unregister its own hot key";
    EXPECT_TRUE(CarbonHotkeys::hotKeyTable().empty());
}

} // namespace
