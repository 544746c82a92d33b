#pragma once

#include "hotkeys/event_manager.h"
#include "hotkeys/system_wide_shortcuts.h"
#include "platform/linux/x11/connection.h"

#include <QByteArray>
#include <QObject>
#include <map>
#include <memory>

class QSocketNotifier;

namespace zendra::x11 {

// System-wide hot keys on X11: each registration grabs its key combination on the root window (also
// with Caps Lock and Num Lock on), and key presses and releases of grabbed combinations are delivered to
// the installed handler as hot-key pressed and released events. Events are read on the main thread
// from the connection's socket. Holding a key down gives one press and one release.
//
// Without an X server every registration fails and one line on standard error says that global
// shortcuts are unavailable. Errors of the server are always collected on the request that caused them.
class HotKeys : public QObject, public Hotkeys::EventManager, public Hotkeys::SystemWideShortcuts {
public:
    explicit HotKeys(const QByteArray& display = {});
    ~HotKeys() override;

    bool isAvailable() const { return connection_.isAlive(); }

    Hotkeys::EventTargetRef eventDispatcherTarget() override;
    // Fails with eventHotKeyExistsErr when another client holds the combination (or this process
    // registered it already), paramErr for keys that have no X key code.
    Hotkeys::Status registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                        Hotkeys::HotKeyIdentity identity, Hotkeys::EventTargetRef target,
                                        std::uint32_t options, Hotkeys::HotKeyRef& out) override;
    Hotkeys::Status unregisterEventHotKey(Hotkeys::HotKeyRef hotKey) override;
    Hotkeys::Status installEventHandler(Hotkeys::EventTargetRef target, Hotkeys::EventHandlerFunction handler,
                                        std::span<const Hotkeys::EventTypeSpec> types, void* userData,
                                        Hotkeys::EventHandlerRef& out) override;
    Hotkeys::Status getEventHotKeyIdentity(const Hotkeys::Event& event,
                                           Hotkeys::HotKeyIdentity& out) override;
    std::uint32_t getEventKind(const Hotkeys::Event& event) override;

    // Tries to grab the combination and releases it at once: held when the server refuses with
    // BadAccess. Combinations this process registered count as available.
    Hotkeys::SystemWideAvailability availability(const Hotkeys::Shortcut& shortcut) override;

    // Handles every event that has arrived. The socket notifier calls it; tests may call it to wait less.
    void processEvents();

private:
    struct Grab {
        std::uint8_t keyCode;
        std::uint16_t modifiers;
        Hotkeys::HotKeyIdentity identity;
    };
    struct Press {
        Hotkeys::HotKeyIdentity identity;
    };

    // Grabs all lock variants; on any error releases those it got and returns the first error code.
    std::uint8_t grab(std::uint8_t keyCode, std::uint16_t modifiers);
    void ungrab(std::uint8_t keyCode, std::uint16_t modifiers);
    void deliver(std::uint32_t kind, Hotkeys::HotKeyIdentity identity);
    void handleKey(bool pressed, std::uint8_t keyCode, std::uint16_t state);
    void scheduleProcessing();

    Connection connection_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<std::uintptr_t, Grab> grabs_;
    std::uintptr_t nextReference_ = 0;
    std::map<std::uint8_t, Press> pressed_; // key code -> the grab its press went to
    Hotkeys::EventHandlerFunction handler_ = nullptr;
    void* handlerUserData_ = nullptr;
};

// X modifier masks for legacy modifier masks: Command is Super (Mod4), Option Alt (Mod1).
std::uint16_t xModifiers(std::uint32_t carbonModifiers);

} // namespace zendra::x11
