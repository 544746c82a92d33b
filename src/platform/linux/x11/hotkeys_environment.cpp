#include "platform/linux/x11/hotkeys_environment.h"

#include "platform/linux/x11/hot_keys.h"
#include "platform/linux/x11/keyboard_layout.h"
#include "prefs/standard_suite.h"

namespace zendra::x11 {

Hotkeys::Environment hotkeysEnvironment(const QByteArray& display) {
    auto hotKeys = std::make_shared<HotKeys>(display);
    return {Prefs::standardSuite(), hotKeys, std::make_shared<KeyboardLayout>(display), hotKeys};
}

} // namespace zendra::x11
