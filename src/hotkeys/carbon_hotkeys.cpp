#include "hotkeys/carbon_hotkeys.h"

#include "hotkeys/environment.h"

#include <array>
#include <optional>
#include <utility>

namespace zendra::Hotkeys::CarbonHotkeys {

namespace {

struct State {
    std::map<std::int64_t, std::shared_ptr<const HotKey>> table;
    std::int64_t nextHotKeyId = 0;
    std::optional<EventHandlerRef> eventHandler;
};

State& state() {
    static auto* instance = new State;
    return *instance;
}

constexpr std::array<EventTypeSpec, 2> hotKeyEventTypes{{
    {kEventClassKeyboard, kEventHotKeyPressed},
    {kEventClassKeyboard, kEventHotKeyReleased},
}};

} // namespace

void registerShortcut(const Shortcut& shortcut, Callback onKeyDown, Callback onKeyUp) {
    auto& s = state();
    const std::int64_t id = ++s.nextHotKeyId;
    EventManager* manager = environment().eventManager.get();
    // An edited stored value can hold numbers the system call cannot take; they must not reach it.
    if (manager == nullptr || !std::in_range<std::uint32_t>(shortcut.carbonKeyCode) ||
        !std::in_range<std::uint32_t>(shortcut.carbonModifiers) || !std::in_range<std::uint32_t>(id)) {
        return;
    }
    const EventTargetRef target = manager->eventDispatcherTarget();
    HotKeyRef reference;
    const Status status = manager->registerEventHotKey(
        static_cast<std::uint32_t>(shortcut.carbonKeyCode),
        static_cast<std::uint32_t>(shortcut.carbonModifiers),
        HotKeyIdentity{signature, static_cast<std::uint32_t>(id)}, target, 0, reference);
    if (status != noErr || !reference) {
        return;
    }
    s.table.insert_or_assign(id, std::make_shared<const HotKey>(HotKey{
                                     shortcut, id, reference, std::move(onKeyDown), std::move(onKeyUp)}));
    if (!s.eventHandler && target) {
        EventHandlerRef handler;
        manager->installEventHandler(target, &hotKeyEventCallback, hotKeyEventTypes, nullptr, handler);
        s.eventHandler = handler;
    }
}

void unregisterShortcut(const Shortcut& shortcut) {
    auto& table = state().table;
    EventManager* manager = environment().eventManager.get();
    for (auto it = table.begin(); it != table.end();) {
        if (it->second->shortcut == shortcut) {
            if (manager != nullptr) {
                manager->unregisterEventHotKey(it->second->carbonHotKey);
            }
            it = table.erase(it);
        } else {
            ++it;
        }
    }
}

Status hotKeyEventCallback(EventHandlerCallRef, const Event* event, void*) {
    if (event == nullptr) {
        return eventNotHandledErr;
    }
    EventManager* manager = environment().eventManager.get();
    if (manager == nullptr) {
        return eventNotHandledErr;
    }
    HotKeyIdentity identity;
    if (const Status status = manager->getEventHotKeyIdentity(*event, identity); status != noErr) {
        return status;
    }
    if (identity.signature != signature) {
        return eventNotHandledErr;
    }
    const auto& table = state().table;
    const auto found = table.find(identity.id);
    if (found == table.end()) {
        return eventNotHandledErr;
    }
    // Held for the call: an action may unregister its own hot key.
    const std::shared_ptr<const HotKey> hotKey = found->second;
    switch (manager->getEventKind(*event)) {
    case kEventHotKeyPressed:
        if (hotKey->onKeyDown) {
            hotKey->onKeyDown(hotKey->shortcut);
        }
        break;
    case kEventHotKeyReleased:
        if (hotKey->onKeyUp) {
            hotKey->onKeyUp(hotKey->shortcut);
        }
        break;
    default:
        return eventNotHandledErr;
    }
    return noErr;
}

const std::map<std::int64_t, std::shared_ptr<const HotKey>>& hotKeyTable() {
    return state().table;
}

std::int64_t nextHotKeyId() {
    return state().nextHotKeyId;
}

bool hasEventHandler() {
    return state().eventHandler.has_value();
}

void resetForEnvironment() {
    state().table.clear();
    state().eventHandler.reset();
}

} // namespace zendra::Hotkeys::CarbonHotkeys
