#pragma once

#include "hotkeys/event_manager.h"
#include "hotkeys/shortcut.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

// The registration layer: turns shortcuts into system-wide hot keys through the environment's event
// manager and routes their pressed and released events to callbacks. It knows nothing of names.
// Main thread only.
namespace zendra::Hotkeys::CarbonHotkeys {

using Callback = std::function<void(const Shortcut&)>;

inline constexpr std::uint32_t signature = fourCharCode("KZHK");

// One successful registration.
struct HotKey {
    Shortcut shortcut;
    std::int64_t carbonHotKeyId = 0;
    HotKeyRef carbonHotKey;
    Callback onKeyDown;
    Callback onKeyUp;
};

// Registers `shortcut` under the next identifier (the counter advances on every attempt). A refusal, or
// a key code or modifiers outside the unsigned 32-bit range (which never reach the system), leaves no
// trace and is not reported. The first success installs the one event handler of the process.
void registerShortcut(const Shortcut& shortcut, Callback onKeyDown, Callback onKeyUp);

// Unregisters every registration of `shortcut`.
void unregisterShortcut(const Shortcut& shortcut);

// The handler the event manager calls for hot-key pressed and released events.
Status hotKeyEventCallback(EventHandlerCallRef next, const Event* event, void* userData);

const std::map<std::int64_t, std::shared_ptr<const HotKey>>& hotKeyTable();
std::int64_t nextHotKeyId();
bool hasEventHandler();

// Forgets the table and the handler (not the identifier counter: identifiers are never reused).
void resetForEnvironment();

} // namespace zendra::Hotkeys::CarbonHotkeys
