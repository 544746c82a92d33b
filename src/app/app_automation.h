#pragma once

// What the automation interface does in the running application.

#include "automation/automation_service.h"

#include <functional>

namespace zendra {

class AppDelegate;

// Intents and URLs go to the delegate `delegate()` returns (none before it exists: the text calls
// then fail); the service and the shortcut actions act as the panel item and the shortcuts do.
AutomationActions applicationAutomationActions(std::function<AppDelegate*()> delegate);

} // namespace zendra
