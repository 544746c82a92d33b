#include "base/menu_item.h"
#include "hotkeys/display.h"
#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/key_equivalent_qt.h"
#include "hotkeys/menu_item_shortcut.h"

using namespace zendra;

namespace {

using namespace Hotkeys;

class Display : public zendra::test::HotkeysFixture {};

TEST_F(Display, ModifierSymbolsComeInFixedOrder) {
    EXPECT_EQ(Shortcut(Key::k, ModifierFlag::command | ModifierFlag::option).description(), "⌥⌘K");
    EXPECT_EQ(Shortcut(Key::f5, ModifierFlag::control | ModifierFlag::shift).description(), "⌃⇧F5");
    EXPECT_EQ(Shortcut(Key::a, ModifierFlag::command | ModifierFlag::shift | ModifierFlag::option |
                                   ModifierFlag::control)
                  .description(),
              "⌃⌥⇧⌘A");
    EXPECT_EQ(describeModifierFlags(ModifierFlag::function | ModifierFlag::control | ModifierFlag::capsLock),
              QStringLiteral("⌃") + QString::fromUcs4(U"\U0001F310\uFE0E"));
    EXPECT_EQ(describeModifierFlags(0), "");
}

TEST_F(Display, SpecialKeysUseFixedSymbolsWhateverTheLayout) {
    layout->hasLayout = false;
    EXPECT_EQ(Shortcut(Key::space, ModifierFlag::command).description(), "⌘⎵");
    EXPECT_EQ(Shortcut(Key::return_, ModifierFlag::option).description(), "⌥↩");
    EXPECT_EQ(Shortcut(Key::escape.rawValue).description(), "⎋");
    EXPECT_EQ(Shortcut(Key::f13.rawValue).description(), "F13");
    EXPECT_EQ(Shortcut(Key::f20.rawValue).description(), "F20");
    EXPECT_EQ(Shortcut(Key::help.rawValue).description(), QString::fromUcs4(U"?\u20DD"));
    EXPECT_EQ(keyCodeSymbols().size(), 35u);
    EXPECT_EQ(functionKeyEquivalents().size(), 21u);
    EXPECT_EQ(layout->calls, 0) << "fixed symbols never consult the layout";
}

TEST_F(Display, OrdinaryKeysGoThroughTheLayoutEveryTimeAndFailuresShowTheReplacementCharacter) {
    EXPECT_EQ(characterForKeyCode(Key::k.rawValue), "k") << "no modifier applied, lower case";
    layout->texts[Key::k.rawValue] = "л";
    EXPECT_EQ(Shortcut(Key::k, ModifierFlag::command).description(), "⌘Л") << "no translation is cached";
    layout->texts[Key::k.rawValue] = "ß";
    EXPECT_EQ(Shortcut(Key::k.rawValue).description(), "SS") << "default Unicode case mapping";

    EXPECT_EQ(Shortcut(Key::shift, ModifierFlag::command).description(), "⌘") << "empty translation";
    EXPECT_EQ(Shortcut(Key::semicolon, ModifierFlag::option).description(), QStringLiteral("⌥\uFFFD"));
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::semicolon.rawValue)), "");
    EXPECT_FALSE(characterForKeyCode(0x10000)) << "beyond 16 bits";
    EXPECT_FALSE(characterForKeyCode(-1));
    const int before = layout->calls;
    layout->hasLayout = false;
    EXPECT_EQ(Shortcut(Key::a.rawValue).description(), QStringLiteral("\uFFFD"));
    EXPECT_EQ(layout->calls, before + 1);

    setEnvironment({suite, manager, nullptr, nullptr});
    EXPECT_EQ(Shortcut(Key::a.rawValue).description(), QStringLiteral("\uFFFD")) << "no layout service";
}

TEST_F(Display, MenuKeyEquivalents) {
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::space.rawValue)), " ");
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::f1.rawValue)), QString(QChar(0xF704)));
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::f13.rawValue)), QString(QChar(0xF710)));
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::f20.rawValue)), QString(QChar(0xF717)));
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::k, ModifierFlag::command)), "k");
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::return_.rawValue)), "↩");
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::help.rawValue)), QString::fromUcs4(U"?\u20DD"))
        << "one grapheme cluster of two code points";
    layout->texts[Key::k.rawValue] = "ab";
    EXPECT_EQ(menuKeyEquivalent(Shortcut(Key::k.rawValue)), "") << "two characters";
}

TEST_F(Display, MenuItemFollowsTheStoredShortcut) {
    const auto name = Name::fromRawValue("toggleEditWindow");
    const auto other = Name::fromRawValue("other");
    auto item = std::make_shared<zendra::MenuItem>("Toggle Editor");
    int refreshes = 0;
    auto refresh = item->changed.sink([&](const zendra::Signal&) { ++refreshes; });

    setShortcut(item, name);
    EXPECT_TRUE(item->keyEquivalent.isEmpty());
    setShortcut(Shortcut(Key::k, ModifierFlag::command | ModifierFlag::option), name);
    EXPECT_EQ(item->keyEquivalent,
              (zendra::KeyEquivalent{"k", ModifierFlag::command | ModifierFlag::option}));
    setShortcut(Shortcut(Key::f1.rawValue), other);
    EXPECT_EQ(item->keyEquivalent.key, "k") << "another name's change is ignored";
    setShortcut(std::nullopt, name);
    EXPECT_TRUE(item->keyEquivalent.isEmpty());
    EXPECT_EQ(item->keyEquivalent.modifierFlags, 0u);

    setShortcut(item, other);
    EXPECT_EQ(item->keyEquivalent.key, QString(QChar(0xF704))) << "rebinding replaces the observation";
    setShortcut(Shortcut(Key::a.rawValue), name);
    EXPECT_EQ(item->keyEquivalent.key, QString(QChar(0xF704)));

    setShortcut(item, std::nullopt);
    EXPECT_TRUE(item->keyEquivalent.isEmpty());
    setShortcut(Shortcut(Key::b.rawValue), other);
    EXPECT_TRUE(item->keyEquivalent.isEmpty()) << "unbound";
    EXPECT_EQ(refreshes, 5) << "one per binding and change of its name, none for other names";
    EXPECT_FALSE(item->action) << "the binding attaches no action";

    setShortcut(item, name);
    item.reset();
    setShortcut(Shortcut(Key::c.rawValue), name); // a destroyed item is not touched
}

TEST(KeyEquivalentQt, BecomesTheKeySequenceAQtMenuShows) {
    using Hotkeys::keySequence;
    using namespace Hotkeys::ModifierFlag;
    EXPECT_EQ(keySequence({"k", command | option}), QKeySequence(Qt::META | Qt::ALT | Qt::Key_K));
    EXPECT_EQ(keySequence({QString(QChar(0xF710)), control}), QKeySequence(Qt::CTRL | Qt::Key_F13));
    EXPECT_EQ(keySequence({" ", shift}), QKeySequence(Qt::SHIFT | Qt::Key_Space));
    EXPECT_EQ(keySequence({"/", 0}), QKeySequence(Qt::Key_Slash));
    EXPECT_TRUE(keySequence(KeyEquivalent{}).isEmpty());
    EXPECT_EQ(keySequence({"↩", option}), QKeySequence(Qt::ALT | Qt::Key_Return)) << "a named key's symbol";
    EXPECT_EQ(keySequence({"л", control}), QKeySequence(Qt::CTRL | 0x41B)) << "modifiers kept off ASCII";
}

TEST_F(Display, UsersReadShortcutsAsQtsNativeTextWhateverTheStoredForm) {
    using namespace Hotkeys::ModifierFlag;
    EXPECT_EQ(nativeText(Shortcut(Key::k, control | option)), "Ctrl+Alt+K");
    EXPECT_EQ(nativeText(Shortcut(Key::k, command | shift)), "Meta+Shift+K");
    EXPECT_EQ(nativeText(Shortcut(Key::f5, control | shift)), "Ctrl+Shift+F5");
    EXPECT_EQ(nativeText(Shortcut(Key::return_, option)), "Alt+Return");
    EXPECT_EQ(nativeText(Shortcut(Key::space.rawValue)), "Space");
    EXPECT_EQ(nativeText(Shortcut(Key::escape.rawValue)), "Esc");
    EXPECT_EQ(nativeText(Shortcut(Key::leftArrow, control)), "Ctrl+Left");
    EXPECT_EQ(nativeText(Shortcut(Key::slash, control)), "Ctrl+/");

    layout->texts[Key::k.rawValue] = "л";
    EXPECT_EQ(nativeText(Shortcut(Key::k, control)), "Ctrl+Л") << "the layout's character";
    layout->hasLayout = false;
    EXPECT_EQ(nativeText(Shortcut(Key::k, control)), QStringLiteral("⌃\uFFFD")) << "nothing Qt can name";
    EXPECT_EQ(nativeText(Shortcut(Key::f5, control)), "Ctrl+F5") << "named keys need no layout";
}

} // namespace
