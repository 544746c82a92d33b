#pragma once

// The global shortcut names of the user's actions that have one (their stored names are in the
// actions' table). None has a default, so a fresh installation has no global shortcut until the user
// records one. Each is created on first use and lives until the process ends.

#include "actions/user_actions.h"
#include "hotkeys/name.h"

#include <vector>

namespace zendra::Settings {

// The shortcut name of `action`; null when the action has no global shortcut.
const Hotkeys::Name* shortcutName(UserAction action);
// The actions with a global shortcut, in the table's order.
std::vector<UserAction> actionsWithShortcuts();

} // namespace zendra::Settings
