#pragma once

#include "hotkeys/keyboard_layout.h"
#include "platform/linux/x11/connection.h"

#include <QByteArray>
#include <optional>

struct xkb_context;
struct xkb_keymap;

namespace zendra::x11 {

// Key texts from the X server's keymap through xkbcommon, in the first layout group whose letter keys
// type ASCII (so a Cyrillic first group still shows Latin letters). The keymap is fetched again whenever
// the server announces a keyboard change; announcements are read at every call, so a new layout shows
// at the next display without a round trip to the server.
class KeyboardLayout : public Hotkeys::KeyboardLayout {
public:
    explicit KeyboardLayout(const QByteArray& display = {});
    ~KeyboardLayout() override;
    KeyboardLayout(const KeyboardLayout&) = delete;
    KeyboardLayout& operator=(const KeyboardLayout&) = delete;

    std::optional<QString> displayText(std::uint16_t keyCode) override;

    // The group used for translation, if any (for diagnostics and tests).
    std::optional<std::uint32_t> asciiLayoutIndex();

private:
    void refreshIfChanged();
    void loadKeymap();

    Connection connection_;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    std::int32_t deviceId_ = -1;
    std::uint8_t xkbEventBase_ = 0;
    bool stale_ = true;
    std::optional<std::uint32_t> asciiLayout_;
};

} // namespace zendra::x11
