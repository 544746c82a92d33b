#pragma once

#include "kit/modifier_flags.h"
#include "platform/linux/x11/connection.h"

#include <QByteArray>
#include <memory>

namespace zendra::x11 {

// The modifier keys held right now, as the X server sees them (through a connection of our own, so
// the answer does not depend on which events the toolkit has processed). Shift, Control, Alt (Option),
// Super (Command), Caps Lock and Num Lock (the numeric-pad flag) are reported. Without an X server
// nothing is held.
class XcbKeyboardModifiers final : public KZApp::KeyboardModifiers {
public:
    explicit XcbKeyboardModifiers(QByteArray display = {});
    ~XcbKeyboardModifiers() override;

    KZApp::ModifierFlags held() override;

    // The flags for an X modifier state mask (core protocol bits).
    static KZApp::ModifierFlags fromXState(std::uint16_t mask);

private:
    QByteArray display_;
    std::unique_ptr<Connection> connection_;
};

} // namespace zendra::x11
