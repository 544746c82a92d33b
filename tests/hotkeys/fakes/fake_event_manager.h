#pragma once

#include "hotkeys/event_manager.h"
#include "hotkeys/shortcut.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace zendra::test {

// An event manager that records what would have been registered and delivers hot-key events to the
// installed handler on demand.
class FakeEventManager : public Hotkeys::EventManager {
public:
    struct Registration {
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        Hotkeys::HotKeyIdentity identity;
        Hotkeys::HotKeyRef reference;
    };

    bool available = true;
    // Decides whether a registration is refused (another client holds the combination).
    std::function<bool(std::uint32_t keyCode, std::uint32_t modifiers)> refuse;

    std::vector<Registration> live;
    int registerCalls = 0;
    int unregisterCalls = 0;
    int installCalls = 0;
    Hotkeys::EventHandlerFunction handler = nullptr;
    std::vector<Hotkeys::EventTypeSpec> handlerTypes;

    Hotkeys::EventTargetRef eventDispatcherTarget() override {
        return Hotkeys::EventTargetRef{available ? std::uintptr_t{1} : 0};
    }

    Hotkeys::Status registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                        Hotkeys::HotKeyIdentity identity, Hotkeys::EventTargetRef target,
                                        std::uint32_t, Hotkeys::HotKeyRef& out) override {
        ++registerCalls;
        if (!target || (refuse && refuse(keyCode, modifiers))) {
            return Hotkeys::eventHotKeyExistsErr;
        }
        out = Hotkeys::HotKeyRef{++nextReference_};
        live.push_back({keyCode, modifiers, identity, out});
        return Hotkeys::noErr;
    }

    Hotkeys::Status unregisterEventHotKey(Hotkeys::HotKeyRef hotKey) override {
        ++unregisterCalls;
        std::erase_if(live, [&](const Registration& r) { return r.reference == hotKey; });
        return Hotkeys::noErr;
    }

    Hotkeys::Status installEventHandler(Hotkeys::EventTargetRef, Hotkeys::EventHandlerFunction function,
                                        std::span<const Hotkeys::EventTypeSpec> types, void*,
                                        Hotkeys::EventHandlerRef& out) override {
        ++installCalls;
        handler = function;
        handlerTypes.assign(types.begin(), types.end());
        out = Hotkeys::EventHandlerRef{1};
        return Hotkeys::noErr;
    }

    Hotkeys::Status getEventHotKeyIdentity(const Hotkeys::Event& event,
                                           Hotkeys::HotKeyIdentity& out) override {
        if (!event.hotKeyIdentity) {
            return Hotkeys::eventParameterNotFoundErr;
        }
        out = *event.hotKeyIdentity;
        return Hotkeys::noErr;
    }

    std::uint32_t getEventKind(const Hotkeys::Event& event) override { return event.kind; }

    bool isRegistered(const Hotkeys::Shortcut& shortcut) const { return registration(shortcut).has_value(); }

    std::optional<Registration> registration(const Hotkeys::Shortcut& shortcut) const {
        auto found = std::find_if(live.begin(), live.end(), [&](const Registration& r) {
            return r.keyCode == shortcut.carbonKeyCode && r.modifiers == shortcut.carbonModifiers;
        });
        return found == live.end() ? std::nullopt : std::optional(*found);
    }

    // Delivers an event as the system would; without a handler nothing happens.
    Hotkeys::Status deliver(const Hotkeys::Event& event) {
        return handler ? handler({}, &event, nullptr) : Hotkeys::eventNotHandledErr;
    }

    Hotkeys::Status deliver(std::uint32_t kind, Hotkeys::HotKeyIdentity identity) {
        return deliver(Hotkeys::Event{Hotkeys::kEventClassKeyboard, kind, identity});
    }

    // Presses and releases the registered combination; false when it is not registered.
    bool press(const Hotkeys::Shortcut& shortcut) { return send(shortcut, Hotkeys::kEventHotKeyPressed); }
    bool release(const Hotkeys::Shortcut& shortcut) { return send(shortcut, Hotkeys::kEventHotKeyReleased); }
    bool pressAndRelease(const Hotkeys::Shortcut& shortcut) { return press(shortcut) && release(shortcut); }

private:
    bool send(const Hotkeys::Shortcut& shortcut, std::uint32_t kind) {
        auto found = registration(shortcut);
        return found && deliver(kind, found->identity) == Hotkeys::noErr;
    }

    std::uintptr_t nextReference_ = 0;
};

} // namespace zendra::test
