#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zendra::Hotkeys {

// The system's hot-key service, reduced to the six operations the registration layer uses. Status codes
// follow the legacy event manager: 0 is success, everything else a failure.
using Status = std::int32_t;
inline constexpr Status noErr = 0;
inline constexpr Status paramErr = -50;
inline constexpr Status eventNotHandledErr = -9874;
inline constexpr Status eventParameterNotFoundErr = -9870;
inline constexpr Status eventHotKeyExistsErr = -9878;
inline constexpr Status eventHotKeyInvalidErr = -9879;
inline constexpr Status eventInternalErr = -9868;

constexpr std::uint32_t fourCharCode(const char (&code)[5]) {
    return (std::uint32_t(std::uint8_t(code[0])) << 24) | (std::uint32_t(std::uint8_t(code[1])) << 16) |
           (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}

inline constexpr std::uint32_t kEventClassKeyboard = fourCharCode("keyb");
inline constexpr std::uint32_t kEventHotKeyPressed = 5;
inline constexpr std::uint32_t kEventHotKeyReleased = 6;

// The identity a hot key is registered under and that its events carry.
struct HotKeyIdentity {
    std::uint32_t signature = 0;
    std::uint32_t id = 0;
    bool operator==(const HotKeyIdentity&) const = default;
};

struct EventTypeSpec {
    std::uint32_t eventClass = 0;
    std::uint32_t eventKind = 0;
    bool operator==(const EventTypeSpec&) const = default;
};

// Opaque handles handed out by the service; 0 is null.
struct EventTargetRef {
    std::uintptr_t value = 0;
    explicit operator bool() const { return value != 0; }
};
struct HotKeyRef {
    std::uintptr_t value = 0;
    explicit operator bool() const { return value != 0; }
    bool operator==(const HotKeyRef&) const = default;
};
struct EventHandlerRef {
    std::uintptr_t value = 0;
    explicit operator bool() const { return value != 0; }
};
struct EventHandlerCallRef {
    std::uintptr_t value = 0;
};

// An event as the service delivers it to a handler.
struct Event {
    std::uint32_t eventClass = kEventClassKeyboard;
    std::uint32_t kind = 0;
    std::optional<HotKeyIdentity> hotKeyIdentity; // the direct-object parameter, when present
};

using EventHandlerFunction = Status (*)(EventHandlerCallRef next, const Event* event, void* userData);

class EventManager {
public:
    virtual ~EventManager() = default;

    // The application-wide target of registrations and handlers; null when the service is unavailable.
    virtual EventTargetRef eventDispatcherTarget() = 0;

    // Registers a system-wide hot key. Success is noErr with a non-null `out`; a combination another
    // client or this process already holds fails (eventHotKeyExistsErr) and leaves `out` null.
    virtual Status registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                       HotKeyIdentity identity, EventTargetRef target, std::uint32_t options,
                                       HotKeyRef& out) = 0;
    virtual Status unregisterEventHotKey(HotKeyRef hotKey) = 0;

    // Installs `handler` for the listed event types; it is called on the main thread for each such event
    // until the process ends.
    virtual Status installEventHandler(EventTargetRef target, EventHandlerFunction handler,
                                       std::span<const EventTypeSpec> types, void* userData,
                                       EventHandlerRef& out) = 0;

    // The hot-key identity of `event`: noErr, or eventParameterNotFoundErr when it carries none.
    virtual Status getEventHotKeyIdentity(const Event& event, HotKeyIdentity& out) = 0;
    virtual std::uint32_t getEventKind(const Event& event) = 0;
};

} // namespace zendra::Hotkeys
