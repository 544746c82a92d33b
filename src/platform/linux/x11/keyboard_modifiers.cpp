#include "platform/linux/x11/keyboard_modifiers.h"

#include <cstdlib>
#include <xcb/xcb.h>

namespace zendra::x11 {

XcbKeyboardModifiers::XcbKeyboardModifiers(QByteArray display) : display_(std::move(display)) {}

XcbKeyboardModifiers::~XcbKeyboardModifiers() = default;

KZApp::ModifierFlags XcbKeyboardModifiers::fromXState(std::uint16_t mask) {
    using namespace KZApp;
    ModifierFlags flags = 0;
    const std::pair<std::uint16_t, ModifierFlags> map[] = {
        {XCB_MOD_MASK_SHIFT, Modifier::shift},   {XCB_MOD_MASK_CONTROL, Modifier::control},
        {XCB_MOD_MASK_1, Modifier::option},      {XCB_MOD_MASK_4, Modifier::command},
        {XCB_MOD_MASK_LOCK, Modifier::capsLock}, {XCB_MOD_MASK_2, Modifier::numericPad},
    };
    for (const auto& [bit, flag] : map) {
        if ((mask & bit) != 0) {
            flags |= flag;
        }
    }
    return flags;
}

KZApp::ModifierFlags XcbKeyboardModifiers::held() {
    if (!connection_ || !connection_->isAlive()) {
        if (display_.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY")) {
            return 0;
        }
        connection_ = std::make_unique<Connection>(display_);
        if (!connection_->isValid() || !connection_->isAlive()) {
            connection_.reset();
            return 0;
        }
    }
    xcb_connection_t* c = connection_->get();
    const auto cookie = xcb_query_pointer(c, connection_->rootWindow());
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(c, cookie, nullptr);
    if (reply == nullptr) {
        return 0;
    }
    const KZApp::ModifierFlags flags = fromXState(reply->mask);
    std::free(reply);
    return flags;
}

} // namespace zendra::x11
