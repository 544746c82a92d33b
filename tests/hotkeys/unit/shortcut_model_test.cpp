#include "hotkeys/key.h"
#include "hotkeys/key_event.h"
#include "hotkeys/native_key_codes.h"
#include "hotkeys/shortcut.h"
#include "hotkeys/stored_shortcut.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <set>

using namespace zendra;

namespace {

using namespace Hotkeys;

TEST(ShortcutModel, ConstructorsKeepOnlyTheFourModifiers) {
    EXPECT_EQ(Shortcut(49, 0x1500).carbonModifiers, 0x1100) << "Caps Lock 0x400 is dropped";

    const Shortcut fromFlags(Key::k, ModifierFlag::command | ModifierFlag::option | ModifierFlag::capsLock |
                                         ModifierFlag::function | ModifierFlag::numericPad);
    EXPECT_EQ(fromFlags.carbonModifiers, CarbonModifier::command | CarbonModifier::option);
    EXPECT_EQ(fromFlags.modifiers(), ModifierFlag::command | ModifierFlag::option);

    EXPECT_EQ(Shortcut(Key::a, ModifierFlag::control | ModifierFlag::shift).carbonModifiers, 0x1200);
    EXPECT_EQ(Shortcut::unmasked(1, 0x400).carbonModifiers, 0x400) << "stored values are kept as they are";
}

TEST(ShortcutModel, OnlyKeyDownAndKeyUpEventsGiveAShortcut) {
    const std::uint64_t flags = ModifierFlag::control | ModifierFlag::capsLock;
    for (auto type : {KeyEvent::Type::keyDown, KeyEvent::Type::keyUp}) {
        auto shortcut = Shortcut::fromEvent({type, Key::f5.rawValue, flags});
        ASSERT_TRUE(shortcut);
        EXPECT_EQ(*shortcut, Shortcut(Key::f5.rawValue, CarbonModifier::control));
    }
    EXPECT_FALSE(Shortcut::fromEvent({KeyEvent::Type::flagsChanged, 0, flags}));
    EXPECT_FALSE(Shortcut::fromEvent({KeyEvent::Type::leftMouseUp, 0, 0}));
}

TEST(NativeKeyCodes, EveryKeyButFnHasOneNativeCodeAndComesBack) {
    std::set<std::uint8_t> natives;
    int mapped = 0;
    for (std::int64_t code = 0; code < 128; ++code) {
        if (auto native = nativeKeyCode(code)) {
            ++mapped;
            EXPECT_TRUE(natives.insert(*native).second) << "native code used twice: " << int(*native);
            EXPECT_EQ(virtualKeyCode(*native), code);
        }
    }
    EXPECT_EQ(mapped, 112) << "113 named keys, Fn has no native code";
    EXPECT_FALSE(nativeKeyCode(Key::function.rawValue));
    EXPECT_EQ(nativeKeyCode(Key::a.rawValue), 38);
    EXPECT_EQ(nativeKeyCode(Key::command.rawValue), 133) << "left Super";
    EXPECT_EQ(nativeKeyCode(Key::option.rawValue), 64) << "left Alt";
    EXPECT_EQ(nativeKeyCode(Key::f13.rawValue), 191);
    EXPECT_FALSE(nativeKeyCode(-1));
    EXPECT_FALSE(nativeKeyCode(0x0A)) << "the ISO section key is not named";
    EXPECT_FALSE(virtualKeyCode(0));
    EXPECT_FALSE(virtualKeyCode(1000));
}

TEST(KeyEventFromQt, PrefersTheScanCodeAndFallsBackToTheQtKey) {
    // A Cyrillic letter typed on the K key still is the K key.
    QKeyEvent native(QEvent::KeyPress, 0x43a, Qt::MetaModifier | Qt::AltModifier, 45, 0, 0, QString());
    auto event = KeyEvent::fromQt(native);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->type, KeyEvent::Type::keyDown);
    EXPECT_EQ(event->keyCode, Key::k.rawValue);
    EXPECT_EQ(event->modifierFlags, ModifierFlag::command | ModifierFlag::option);

    QKeyEvent synthetic(QEvent::KeyRelease, Qt::Key_F5, Qt::ShiftModifier | Qt::ControlModifier);
    event = KeyEvent::fromQt(synthetic);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->type, KeyEvent::Type::keyUp);
    EXPECT_EQ(event->keyCode, Key::f5.rawValue);
    EXPECT_EQ(event->modifierFlags, ModifierFlag::shift | ModifierFlag::control);

    QKeyEvent keypad(QEvent::KeyPress, Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(KeyEvent::fromQt(keypad)->keyCode, Key::keypad8.rawValue);
    QKeyEvent shiftedDigit(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier);
    EXPECT_EQ(KeyEvent::fromQt(shiftedDigit)->keyCode, Key::one.rawValue);

    QKeyEvent unknown(QEvent::KeyPress, Qt::Key_LaunchMail, Qt::NoModifier);
    EXPECT_FALSE(KeyEvent::fromQt(unknown));
}

TEST(StoredForm, EncodesCompactJsonAndDecodesOnlyObjectsWithTwoIntegerMembers) {
    EXPECT_EQ(encodeShortcut(Shortcut(Key::space, ModifierFlag::option)),
              QStringLiteral(R"({"carbonKeyCode":49,"carbonModifiers":2048})"));
    EXPECT_EQ(decodeShortcut(Prefs::StoredObject(encodeShortcut(Shortcut::unmasked(-3, 0x7FFFFFFFFF)))),
              Shortcut::unmasked(-3, 0x7FFFFFFFFF));

    auto decode = [](const char* text) {
        return decodeShortcut(Prefs::StoredObject(QString::fromUtf8(text)));
    };
    EXPECT_EQ(decode(R"({"carbonModifiers":256,"extra":"x","carbonKeyCode":40})"), Shortcut(40, 256))
        << "order and extra members do not matter";
    EXPECT_EQ(decode(R"( {"carbonKeyCode":40,"carbonModifiers":1024} )"), Shortcut::unmasked(40, 1024))
        << "not masked on reading";
    EXPECT_FALSE(decode(R"({"carbonKeyCode":49})"));
    EXPECT_FALSE(decode(R"({"carbonKeyCode":"49","carbonModifiers":0})"));
    EXPECT_FALSE(decode(R"({"carbonKeyCode":49.5,"carbonModifiers":0})"));
    EXPECT_FALSE(decode(R"({"carbonKeyCode":18446744073709551615,"carbonModifiers":0})"));
    EXPECT_FALSE(decode(R"([49,0])"));
    EXPECT_FALSE(decode(R"({"carbonKeyCode":49,"carbonModifiers":0)"));
    EXPECT_FALSE(decodeShortcut(Prefs::StoredObject(false))) << "the cleared marker";
    EXPECT_FALSE(
        decodeShortcut(Prefs::StoredObject(QByteArray(R"({"carbonKeyCode":1,"carbonModifiers":0})"))));
    EXPECT_FALSE(decodeShortcut(std::nullopt));
}

} // namespace
