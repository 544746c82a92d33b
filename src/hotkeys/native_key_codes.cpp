#include "hotkeys/native_key_codes.h"

#include "hotkeys/key.h"

#include <array>
#include <utility>

namespace zendra::Hotkeys {

namespace {

struct Pair {
    Key key;
    std::uint8_t native; // 0: no native key
};

constexpr std::array<Pair, 113> table{{
    {Key::a, 38},
    {Key::s, 39},
    {Key::d, 40},
    {Key::f, 41},
    {Key::h, 43},
    {Key::g, 42},
    {Key::z, 52},
    {Key::x, 53},
    {Key::c, 54},
    {Key::v, 55},
    {Key::b, 56},
    {Key::q, 24},
    {Key::w, 25},
    {Key::e, 26},
    {Key::r, 27},
    {Key::y, 29},
    {Key::t, 28},
    {Key::o, 32},
    {Key::u, 30},
    {Key::i, 31},
    {Key::p, 33},
    {Key::l, 46},
    {Key::j, 44},
    {Key::k, 45},
    {Key::n, 57},
    {Key::m, 58},
    {Key::one, 10},
    {Key::two, 11},
    {Key::three, 12},
    {Key::four, 13},
    {Key::five, 14},
    {Key::six, 15},
    {Key::seven, 16},
    {Key::eight, 17},
    {Key::nine, 18},
    {Key::zero, 19},
    {Key::capsLock, 66},
    {Key::shift, 50},
    {Key::function, 0},
    {Key::control, 37},
    {Key::option, 64},
    {Key::command, 133},
    {Key::rightCommand, 134},
    {Key::rightOption, 108},
    {Key::rightControl, 105},
    {Key::rightShift, 62},
    {Key::return_, 36},
    {Key::backslash, 51},
    {Key::backtick, 49},
    {Key::comma, 59},
    {Key::equal, 21},
    {Key::minus, 20},
    {Key::period, 60},
    {Key::quote, 48},
    {Key::semicolon, 47},
    {Key::slash, 61},
    {Key::space, 65},
    {Key::tab, 23},
    {Key::leftBracket, 34},
    {Key::rightBracket, 35},
    {Key::pageUp, 112},
    {Key::pageDown, 117},
    {Key::home, 110},
    {Key::end, 115},
    {Key::upArrow, 111},
    {Key::rightArrow, 114},
    {Key::downArrow, 116},
    {Key::leftArrow, 113},
    {Key::escape, 9},
    {Key::delete_, 22},
    {Key::deleteForward, 119},
    {Key::help, 118},
    {Key::mute, 121},
    {Key::volumeUp, 123},
    {Key::volumeDown, 122},
    {Key::f1, 67},
    {Key::f2, 68},
    {Key::f3, 69},
    {Key::f4, 70},
    {Key::f5, 71},
    {Key::f6, 72},
    {Key::f7, 73},
    {Key::f8, 74},
    {Key::f9, 75},
    {Key::f10, 76},
    {Key::f11, 95},
    {Key::f12, 96},
    {Key::f13, 191},
    {Key::f14, 192},
    {Key::f15, 193},
    {Key::f16, 194},
    {Key::f17, 195},
    {Key::f18, 196},
    {Key::f19, 197},
    {Key::f20, 198},
    {Key::keypad0, 90},
    {Key::keypad1, 87},
    {Key::keypad2, 88},
    {Key::keypad3, 89},
    {Key::keypad4, 83},
    {Key::keypad5, 84},
    {Key::keypad6, 85},
    {Key::keypad7, 79},
    {Key::keypad8, 80},
    {Key::keypad9, 81},
    {Key::keypadClear, 77},
    {Key::keypadDecimal, 91},
    {Key::keypadDivide, 106},
    {Key::keypadEnter, 104},
    {Key::keypadEquals, 125},
    {Key::keypadMinus, 82},
    {Key::keypadMultiply, 63},
    {Key::keypadPlus, 86},
}};

// Indexed tables, built once.
struct Index {
    std::array<std::int16_t, 128> toNative{};  // virtual 0x00..0x7F -> native, 0 none
    std::array<std::int16_t, 256> toVirtual{}; // native -> virtual + 1, 0 none
    Index() {
        for (const auto& [key, native] : table) {
            if (native != 0) {
                toNative[static_cast<std::size_t>(key.rawValue)] = native;
                toVirtual[native] = static_cast<std::int16_t>(key.rawValue + 1);
            }
        }
    }
};

const Index& index() {
    static const Index instance;
    return instance;
}

} // namespace

std::optional<std::uint8_t> nativeKeyCode(std::int64_t virtualKeyCode) {
    if (virtualKeyCode < 0 || virtualKeyCode >= 128) {
        return std::nullopt;
    }
    const auto native = index().toNative[static_cast<std::size_t>(virtualKeyCode)];
    return native == 0 ? std::nullopt : std::optional<std::uint8_t>(static_cast<std::uint8_t>(native));
}

std::optional<std::int64_t> virtualKeyCode(std::uint32_t nativeKeyCode) {
    if (nativeKeyCode >= 256) {
        return std::nullopt;
    }
    const auto entry = index().toVirtual[nativeKeyCode];
    return entry == 0 ? std::nullopt : std::optional<std::int64_t>(entry - 1);
}

} // namespace zendra::Hotkeys
