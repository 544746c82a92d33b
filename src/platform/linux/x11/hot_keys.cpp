#include "platform/linux/x11/hot_keys.h"

#include "hotkeys/modifier_flags.h"
#include "hotkeys/native_key_codes.h"
#include "platform/linux/x11/xkb.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <xcb/xcb.h>

namespace zendra::x11 {

namespace {

constexpr std::uint8_t badAccess = 10;
constexpr std::uint16_t relevantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
// Caps Lock and Num Lock (Mod2 on every common keymap) must not stop a hot key from firing.
constexpr std::array<std::uint16_t, 4> lockVariants{0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                    XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

// Asks the server to report held keys as one press and one release instead of repeated pairs.
void requestDetectableAutoRepeat(xcb_connection_t* connection) {
    auto* version = xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
    const bool supported = version != nullptr && version->supported;
    std::free(version);
    if (!supported) {
        return;
    }
    constexpr std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    std::free(xcb_xkb_per_client_flags_reply(
        connection, xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
        nullptr));
}

} // namespace

std::uint16_t xModifiers(std::uint32_t carbonModifiers) {
    std::uint16_t mask = 0;
    if (carbonModifiers & Hotkeys::CarbonModifier::shift) {
        mask |= XCB_MOD_MASK_SHIFT;
    }
    if (carbonModifiers & Hotkeys::CarbonModifier::control) {
        mask |= XCB_MOD_MASK_CONTROL;
    }
    if (carbonModifiers & Hotkeys::CarbonModifier::option) {
        mask |= XCB_MOD_MASK_1;
    }
    if (carbonModifiers & Hotkeys::CarbonModifier::command) {
        mask |= XCB_MOD_MASK_4;
    }
    return mask;
}

HotKeys::HotKeys(const QByteArray& display) : connection_(display) {
    if (!connection_.isValid()) {
        std::fputs("zendra: global shortcuts are unavailable: no X server to register them with\n", stderr);
        return;
    }
    requestDetectableAutoRepeat(connection_.get());
    notifier_ = std::make_unique<QSocketNotifier>(connection_.fileDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { processEvents(); });
}

HotKeys::~HotKeys() {
    if (connection_.isAlive()) {
        for (const auto& [reference, grab] : grabs_) {
            ungrab(grab.keyCode, grab.modifiers);
        }
        xcb_flush(connection_.get());
    }
}

Hotkeys::EventTargetRef HotKeys::eventDispatcherTarget() {
    return Hotkeys::EventTargetRef{connection_.isAlive() ? connection_.rootWindow() : 0u};
}

std::uint8_t HotKeys::grab(std::uint8_t keyCode, std::uint16_t modifiers) {
    xcb_connection_t* c = connection_.get();
    std::array<xcb_void_cookie_t, lockVariants.size()> cookies{};
    for (std::size_t i = 0; i < lockVariants.size(); ++i) {
        cookies[i] = xcb_grab_key_checked(c, 1, connection_.rootWindow(), modifiers | lockVariants[i],
                                          keyCode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    }
    std::uint8_t failure = 0;
    std::array<bool, lockVariants.size()> granted{};
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        if (xcb_generic_error_t* error = xcb_request_check(c, cookies[i])) {
            if (failure == 0) {
                failure = error->error_code;
            }
            std::free(error);
        } else {
            granted[i] = true;
        }
    }
    if (failure != 0) {
        for (std::size_t i = 0; i < lockVariants.size(); ++i) {
            if (granted[i]) {
                xcb_ungrab_key(c, keyCode, connection_.rootWindow(), modifiers | lockVariants[i]);
            }
        }
        xcb_flush(c);
    }
    scheduleProcessing();
    return failure;
}

void HotKeys::ungrab(std::uint8_t keyCode, std::uint16_t modifiers) {
    for (const auto variant : lockVariants) {
        xcb_ungrab_key(connection_.get(), keyCode, connection_.rootWindow(), modifiers | variant);
    }
}

Hotkeys::Status HotKeys::registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                             Hotkeys::HotKeyIdentity identity, Hotkeys::EventTargetRef target,
                                             std::uint32_t, Hotkeys::HotKeyRef& out) {
    out = {};
    if (!connection_.isAlive() || !target) {
        return Hotkeys::eventInternalErr;
    }
    const auto native = Hotkeys::nativeKeyCode(keyCode);
    if (!native) {
        return Hotkeys::paramErr;
    }
    const std::uint16_t mask = xModifiers(modifiers);
    for (const auto& [reference, existing] : grabs_) {
        if (existing.keyCode == *native && existing.modifiers == mask) {
            return Hotkeys::eventHotKeyExistsErr; // X would merge the two grabs into one
        }
    }
    if (const auto error = grab(*native, mask); error != 0) {
        return error == badAccess ? Hotkeys::eventHotKeyExistsErr : Hotkeys::eventInternalErr;
    }
    const std::uintptr_t reference = ++nextReference_;
    grabs_.emplace(reference, Grab{*native, mask, identity});
    out = Hotkeys::HotKeyRef{reference};
    return Hotkeys::noErr;
}

Hotkeys::Status HotKeys::unregisterEventHotKey(Hotkeys::HotKeyRef hotKey) {
    auto found = grabs_.find(hotKey.value);
    if (found == grabs_.end()) {
        return Hotkeys::eventHotKeyInvalidErr;
    }
    if (connection_.isAlive()) {
        ungrab(found->second.keyCode, found->second.modifiers);
        xcb_flush(connection_.get());
    }
    grabs_.erase(found);
    return Hotkeys::noErr;
}

Hotkeys::Status HotKeys::installEventHandler(Hotkeys::EventTargetRef target,
                                             Hotkeys::EventHandlerFunction handler,
                                             std::span<const Hotkeys::EventTypeSpec>, void* userData,
                                             Hotkeys::EventHandlerRef& out) {
    if (!target || handler == nullptr) {
        return Hotkeys::paramErr;
    }
    // Only hot-key events are ever produced, so the type list needs no filtering.
    handler_ = handler;
    handlerUserData_ = userData;
    out = Hotkeys::EventHandlerRef{1};
    return Hotkeys::noErr;
}

Hotkeys::Status HotKeys::getEventHotKeyIdentity(const Hotkeys::Event& event, Hotkeys::HotKeyIdentity& out) {
    if (!event.hotKeyIdentity) {
        return Hotkeys::eventParameterNotFoundErr;
    }
    out = *event.hotKeyIdentity;
    return Hotkeys::noErr;
}

std::uint32_t HotKeys::getEventKind(const Hotkeys::Event& event) {
    return event.kind;
}

Hotkeys::SystemWideAvailability HotKeys::availability(const Hotkeys::Shortcut& shortcut) {
    if (!connection_.isAlive() || !std::in_range<std::uint32_t>(shortcut.carbonModifiers)) {
        return Hotkeys::SystemWideAvailability::unknown;
    }
    const auto native = Hotkeys::nativeKeyCode(shortcut.carbonKeyCode);
    if (!native) {
        return Hotkeys::SystemWideAvailability::unknown;
    }
    const std::uint16_t mask = xModifiers(static_cast<std::uint32_t>(shortcut.carbonModifiers));
    for (const auto& [reference, existing] : grabs_) {
        if (existing.keyCode == *native && existing.modifiers == mask) {
            return Hotkeys::SystemWideAvailability::available; // ours; ungrabbing would drop it
        }
    }
    xcb_connection_t* c = connection_.get();
    const auto cookie = xcb_grab_key_checked(c, 1, connection_.rootWindow(), mask, *native,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_generic_error_t* error = xcb_request_check(c, cookie);
    scheduleProcessing();
    if (error == nullptr) {
        // Waited for, so that the combination is free again for anyone once this returns.
        std::free(xcb_request_check(c, xcb_ungrab_key_checked(c, *native, connection_.rootWindow(), mask)));
        return Hotkeys::SystemWideAvailability::available;
    }
    const bool held = error->error_code == badAccess;
    std::free(error);
    return held ? Hotkeys::SystemWideAvailability::heldByAnotherClient
                : Hotkeys::SystemWideAvailability::unknown;
}

void HotKeys::scheduleProcessing() {
    // A synchronous request may have read events into xcb's queue, where the socket notifier cannot
    // see them.
    QMetaObject::invokeMethod(
        this, [this] { processEvents(); }, Qt::QueuedConnection);
}

void HotKeys::processEvents() {
    if (!connection_.isAlive()) {
        if (notifier_) {
            notifier_->setEnabled(false);
        }
        return;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_.get())) {
        const auto type = event->response_type & 0x7F;
        if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
            const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
            handleKey(type == XCB_KEY_PRESS, key->detail, key->state);
        }
        std::free(event);
    }
    if (!connection_.isAlive() && notifier_) {
        notifier_->setEnabled(false);
    }
}

void HotKeys::handleKey(bool pressed, std::uint8_t keyCode, std::uint16_t state) {
    if (pressed) {
        if (pressed_.contains(keyCode)) {
            return; // auto-repeat of a key already down
        }
        const std::uint16_t mask = state & relevantModifiers;
        for (const auto& [reference, grab] : grabs_) {
            if (grab.keyCode == keyCode && grab.modifiers == mask) {
                pressed_.emplace(keyCode, Press{grab.identity});
                deliver(Hotkeys::kEventHotKeyPressed, grab.identity);
                return;
            }
        }
        return;
    }
    // The release arrives with whatever modifiers are still down (often none): match it by key code.
    auto found = pressed_.find(keyCode);
    if (found == pressed_.end()) {
        return;
    }
    const auto identity = found->second.identity;
    pressed_.erase(found);
    deliver(Hotkeys::kEventHotKeyReleased, identity);
}

void HotKeys::deliver(std::uint32_t kind, Hotkeys::HotKeyIdentity identity) {
    if (handler_ == nullptr) {
        return;
    }
    const Hotkeys::Event event{Hotkeys::kEventClassKeyboard, kind, identity};
    handler_(Hotkeys::EventHandlerCallRef{}, &event, handlerUserData_);
}

} // namespace zendra::x11
