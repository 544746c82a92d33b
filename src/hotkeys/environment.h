#pragma once

#include "hotkeys/event_manager.h"
#include "hotkeys/keyboard_layout.h"
#include "hotkeys/system_wide_shortcuts.h"
#include "prefs/suite.h"

#include <memory>

namespace zendra::Hotkeys {

// The services the shortcut subsystem runs on. A missing service behaves as unavailable: no event
// manager refuses every registration, no layout translates nothing, no system-wide check answers
// `unknown`. The suite defaults to the standard suite.
struct Environment {
    std::shared_ptr<Prefs::Suite> suite;
    std::shared_ptr<EventManager> eventManager;
    std::shared_ptr<KeyboardLayout> keyboardLayout;
    std::shared_ptr<SystemWideShortcuts> systemWideShortcuts;
};

// Installs the services. The composition root calls it once at start-up, before any shortcut is used;
// it also starts the registries, the hot-key table and `dispatchPaused` afresh (registrations made
// through the previous event manager are forgotten, not undone), which gives each test a clean slate.
// Main thread only.
void setEnvironment(Environment environment);
const Environment& environment();

} // namespace zendra::Hotkeys
