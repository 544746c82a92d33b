#include "platform/linux/x11/keyboard_layout.h"

#include "hotkeys/key.h"
#include "hotkeys/native_key_codes.h"
#include "platform/linux/x11/xkb.h"

#include <array>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace zendra::x11 {

namespace {

using Hotkeys::Key;

constexpr std::array<Key, 26> letterKeys{
    Key::a, Key::b, Key::c, Key::d, Key::e, Key::f, Key::g, Key::h, Key::i, Key::j, Key::k, Key::l, Key::m,
    Key::n, Key::o, Key::p, Key::q, Key::r, Key::s, Key::t, Key::u, Key::v, Key::w, Key::x, Key::y, Key::z};

xkb_keysym_t keysym(xkb_keymap* keymap, xkb_keycode_t keyCode, xkb_layout_index_t layout,
                    xkb_level_index_t level) {
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap, keyCode);
    if (layouts == 0) {
        return XKB_KEY_NoSymbol;
    }
    // A key with fewer groups than the keymap wraps the group, as the server does.
    const xkb_layout_index_t effective = layout % layouts;
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, keyCode, effective, level, &syms);
    return count > 0 ? syms[0] : XKB_KEY_NoSymbol;
}

bool typesAscii(xkb_keymap* keymap, xkb_layout_index_t layout) {
    for (const Key key : letterKeys) {
        const auto native = Hotkeys::nativeKeyCode(key.rawValue);
        const std::uint32_t character = xkb_keysym_to_utf32(keysym(keymap, *native, layout, 0));
        if (character < 0x21 || character > 0x7E) {
            return false;
        }
    }
    return true;
}

bool isKeypadKeysym(xkb_keysym_t sym) {
    return sym >= XKB_KEY_KP_Space && sym <= XKB_KEY_KP_9;
}

// The printable text of a keysym; control characters and keysyms without a character give none.
QString printable(xkb_keysym_t sym) {
    const std::uint32_t character = xkb_keysym_to_utf32(sym);
    if (character < 0x20 || character == 0x7F || (character >= 0x80 && character < 0xA0)) {
        return {};
    }
    const char32_t text = character;
    return QString::fromUcs4(&text, 1);
}

} // namespace

KeyboardLayout::KeyboardLayout(const QByteArray& display) : connection_(display) {
    if (!connection_.isValid()) {
        return;
    }
    xcb_connection_t* c = connection_.get();
    if (!xkb_x11_setup_xkb_extension(c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &xkbEventBase_,
                                     nullptr)) {
        return;
    }
    deviceId_ = xkb_x11_get_core_keyboard_device_id(c);
    if (deviceId_ < 0) {
        return;
    }
    context_ = xkb_context_new(
        static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    constexpr std::uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    constexpr std::uint16_t mapParts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS |
                                       XCB_XKB_MAP_PART_MODIFIER_MAP | XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS |
                                       XCB_XKB_MAP_PART_KEY_ACTIONS | XCB_XKB_MAP_PART_VIRTUAL_MODS |
                                       XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;
    xcb_xkb_select_events_details_t details{};
    details.affectNewKeyboard =
        XCB_XKB_NKN_DETAIL_KEYCODES | XCB_XKB_NKN_DETAIL_GEOMETRY | XCB_XKB_NKN_DETAIL_DEVICE_ID;
    details.newKeyboardDetails = details.affectNewKeyboard;
    const auto cookie = xcb_xkb_select_events_aux_checked(c, static_cast<xcb_xkb_device_spec_t>(deviceId_),
                                                          events, 0, 0, mapParts, mapParts, &details);
    std::free(xcb_request_check(c, cookie));
}

KeyboardLayout::~KeyboardLayout() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

void KeyboardLayout::refreshIfChanged() {
    if (context_ == nullptr || !connection_.isAlive()) {
        return;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_.get())) {
        if ((event->response_type & 0x7F) == xkbEventBase_) {
            stale_ = true; // a new keyboard or a changed map: every key may type something else now
        }
        std::free(event);
    }
    if (stale_) {
        loadKeymap();
    }
}

void KeyboardLayout::loadKeymap() {
    stale_ = false;
    xkb_keymap_unref(keymap_);
    asciiLayout_.reset();
    keymap_ =
        xkb_x11_keymap_new_from_device(context_, connection_.get(), deviceId_, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap_ == nullptr) {
        return;
    }
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap_);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        if (typesAscii(keymap_, layout)) {
            asciiLayout_ = layout;
            return;
        }
    }
}

std::optional<std::uint32_t> KeyboardLayout::asciiLayoutIndex() {
    refreshIfChanged();
    return asciiLayout_;
}

std::optional<QString> KeyboardLayout::displayText(std::uint16_t keyCode) {
    refreshIfChanged();
    if (keymap_ == nullptr || !asciiLayout_) {
        return std::nullopt;
    }
    const auto native = Hotkeys::nativeKeyCode(keyCode);
    if (!native) {
        return std::nullopt;
    }
    const xkb_keysym_t base = keysym(keymap_, *native, *asciiLayout_, 0);
    QString text = printable(base);
    if (text.isEmpty()) {
        // Keypad keys show their digit (their Num Lock level), as printed on the key.
        const xkb_keysym_t numLock = keysym(keymap_, *native, *asciiLayout_, 1);
        if (isKeypadKeysym(numLock)) {
            text = printable(numLock);
        }
    }
    return text;
}

} // namespace zendra::x11
