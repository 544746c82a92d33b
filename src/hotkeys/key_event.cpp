#include "hotkeys/key_event.h"

#include "hotkeys/key.h"
#include "hotkeys/modifier_flags.h"
#include "hotkeys/native_key_codes.h"

#include <QKeyEvent>
#include <unordered_map>

namespace zendra::Hotkeys {

namespace {

// Qt keys as a U.S. layout produces them, for events without a native scan code (for example on the
// offscreen platform or from synthesized input).
const std::unordered_map<int, Key>& qtKeys() {
    static const std::unordered_map<int, Key> table{
        {Qt::Key_A, Key::a},
        {Qt::Key_B, Key::b},
        {Qt::Key_C, Key::c},
        {Qt::Key_D, Key::d},
        {Qt::Key_E, Key::e},
        {Qt::Key_F, Key::f},
        {Qt::Key_G, Key::g},
        {Qt::Key_H, Key::h},
        {Qt::Key_I, Key::i},
        {Qt::Key_J, Key::j},
        {Qt::Key_K, Key::k},
        {Qt::Key_L, Key::l},
        {Qt::Key_M, Key::m},
        {Qt::Key_N, Key::n},
        {Qt::Key_O, Key::o},
        {Qt::Key_P, Key::p},
        {Qt::Key_Q, Key::q},
        {Qt::Key_R, Key::r},
        {Qt::Key_S, Key::s},
        {Qt::Key_T, Key::t},
        {Qt::Key_U, Key::u},
        {Qt::Key_V, Key::v},
        {Qt::Key_W, Key::w},
        {Qt::Key_X, Key::x},
        {Qt::Key_Y, Key::y},
        {Qt::Key_Z, Key::z},
        {Qt::Key_0, Key::zero},
        {Qt::Key_1, Key::one},
        {Qt::Key_2, Key::two},
        {Qt::Key_3, Key::three},
        {Qt::Key_4, Key::four},
        {Qt::Key_5, Key::five},
        {Qt::Key_6, Key::six},
        {Qt::Key_7, Key::seven},
        {Qt::Key_8, Key::eight},
        {Qt::Key_9, Key::nine},
        // Shifted digits and punctuation of a U.S. layout stand for the same keys.
        {Qt::Key_ParenRight, Key::zero},
        {Qt::Key_Exclam, Key::one},
        {Qt::Key_At, Key::two},
        {Qt::Key_NumberSign, Key::three},
        {Qt::Key_Dollar, Key::four},
        {Qt::Key_Percent, Key::five},
        {Qt::Key_AsciiCircum, Key::six},
        {Qt::Key_Ampersand, Key::seven},
        {Qt::Key_Asterisk, Key::eight},
        {Qt::Key_ParenLeft, Key::nine},
        {Qt::Key_Minus, Key::minus},
        {Qt::Key_Underscore, Key::minus},
        {Qt::Key_Equal, Key::equal},
        {Qt::Key_Plus, Key::equal},
        {Qt::Key_BracketLeft, Key::leftBracket},
        {Qt::Key_BraceLeft, Key::leftBracket},
        {Qt::Key_BracketRight, Key::rightBracket},
        {Qt::Key_BraceRight, Key::rightBracket},
        {Qt::Key_Backslash, Key::backslash},
        {Qt::Key_Bar, Key::backslash},
        {Qt::Key_Semicolon, Key::semicolon},
        {Qt::Key_Colon, Key::semicolon},
        {Qt::Key_Apostrophe, Key::quote},
        {Qt::Key_QuoteDbl, Key::quote},
        {Qt::Key_Comma, Key::comma},
        {Qt::Key_Less, Key::comma},
        {Qt::Key_Period, Key::period},
        {Qt::Key_Greater, Key::period},
        {Qt::Key_Slash, Key::slash},
        {Qt::Key_Question, Key::slash},
        {Qt::Key_QuoteLeft, Key::backtick},
        {Qt::Key_AsciiTilde, Key::backtick},
        {Qt::Key_Return, Key::return_},
        {Qt::Key_Enter, Key::keypadEnter},
        {Qt::Key_Tab, Key::tab},
        {Qt::Key_Backtab, Key::tab},
        {Qt::Key_Space, Key::space},
        {Qt::Key_Backspace, Key::delete_},
        {Qt::Key_Delete, Key::deleteForward},
        {Qt::Key_Escape, Key::escape},
        {Qt::Key_Insert, Key::help},
        {Qt::Key_Help, Key::help},
        {Qt::Key_Home, Key::home},
        {Qt::Key_End, Key::end},
        {Qt::Key_PageUp, Key::pageUp},
        {Qt::Key_PageDown, Key::pageDown},
        {Qt::Key_Up, Key::upArrow},
        {Qt::Key_Down, Key::downArrow},
        {Qt::Key_Left, Key::leftArrow},
        {Qt::Key_Right, Key::rightArrow},
        {Qt::Key_F1, Key::f1},
        {Qt::Key_F2, Key::f2},
        {Qt::Key_F3, Key::f3},
        {Qt::Key_F4, Key::f4},
        {Qt::Key_F5, Key::f5},
        {Qt::Key_F6, Key::f6},
        {Qt::Key_F7, Key::f7},
        {Qt::Key_F8, Key::f8},
        {Qt::Key_F9, Key::f9},
        {Qt::Key_F10, Key::f10},
        {Qt::Key_F11, Key::f11},
        {Qt::Key_F12, Key::f12},
        {Qt::Key_F13, Key::f13},
        {Qt::Key_F14, Key::f14},
        {Qt::Key_F15, Key::f15},
        {Qt::Key_F16, Key::f16},
        {Qt::Key_F17, Key::f17},
        {Qt::Key_F18, Key::f18},
        {Qt::Key_F19, Key::f19},
        {Qt::Key_F20, Key::f20},
        {Qt::Key_Shift, Key::shift},
        {Qt::Key_Control, Key::control},
        {Qt::Key_Alt, Key::option},
        {Qt::Key_Meta, Key::command},
        {Qt::Key_Super_L, Key::command},
        {Qt::Key_Super_R, Key::rightCommand},
        {Qt::Key_CapsLock, Key::capsLock},
        {Qt::Key_VolumeMute, Key::mute},
        {Qt::Key_VolumeUp, Key::volumeUp},
        {Qt::Key_VolumeDown, Key::volumeDown},
        {Qt::Key_Clear, Key::keypadClear},
    };
    return table;
}

// Keypad keys by Qt key, when the event carries the keypad modifier.
std::optional<Key> keypadKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_0:
        return Key::keypad0;
    case Qt::Key_1:
        return Key::keypad1;
    case Qt::Key_2:
        return Key::keypad2;
    case Qt::Key_3:
        return Key::keypad3;
    case Qt::Key_4:
        return Key::keypad4;
    case Qt::Key_5:
        return Key::keypad5;
    case Qt::Key_6:
        return Key::keypad6;
    case Qt::Key_7:
        return Key::keypad7;
    case Qt::Key_8:
        return Key::keypad8;
    case Qt::Key_9:
        return Key::keypad9;
    case Qt::Key_Period:
        return Key::keypadDecimal;
    case Qt::Key_Slash:
        return Key::keypadDivide;
    case Qt::Key_Asterisk:
        return Key::keypadMultiply;
    case Qt::Key_Minus:
        return Key::keypadMinus;
    case Qt::Key_Plus:
        return Key::keypadPlus;
    case Qt::Key_Equal:
        return Key::keypadEquals;
    case Qt::Key_Enter:
        return Key::keypadEnter;
    default:
        return std::nullopt;
    }
}

std::uint64_t flagsOf(Qt::KeyboardModifiers modifiers) {
    std::uint64_t flags = 0;
    if (modifiers & Qt::ShiftModifier) {
        flags |= ModifierFlag::shift;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= ModifierFlag::control;
    }
    if (modifiers & Qt::AltModifier) {
        flags |= ModifierFlag::option;
    }
    if (modifiers & Qt::MetaModifier) {
        flags |= ModifierFlag::command;
    }
    if (modifiers & Qt::KeypadModifier) {
        flags |= ModifierFlag::numericPad;
    }
    return flags;
}

} // namespace

std::optional<KeyEvent> KeyEvent::fromQt(const QKeyEvent& event) {
    KeyEvent result;
    if (event.type() == QEvent::KeyPress) {
        result.type = Type::keyDown;
    } else if (event.type() == QEvent::KeyRelease) {
        result.type = Type::keyUp;
    } else {
        return std::nullopt;
    }
    result.modifierFlags = flagsOf(event.modifiers());
    if (auto code = virtualKeyCode(event.nativeScanCode()); code && event.nativeScanCode() != 0) {
        result.keyCode = *code;
        return result;
    }
    if (event.modifiers() & Qt::KeypadModifier) {
        if (auto key = keypadKey(event.key())) {
            result.keyCode = key->rawValue;
            return result;
        }
    }
    const auto& keys = qtKeys();
    if (auto found = keys.find(event.key()); found != keys.end()) {
        result.keyCode = found->second.rawValue;
        return result;
    }
    return std::nullopt;
}

} // namespace zendra::Hotkeys
