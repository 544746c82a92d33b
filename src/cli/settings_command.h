#pragma once

// zendra settings: opens the settings window of the running instance (a new instance started by it
// opens the window once launched).

#include "automation/automation_client.h"

#include <iosfwd>

namespace zendra {

class SettingsCommand {
public:
    SettingsCommand(const AutomationClient& client, std::ostream& err) : client_(client), err_(err) {}
    // Asks the running instance; a failure is reported on the error stream.
    int run();

private:
    const AutomationClient& client_;
    std::ostream& err_;
};

} // namespace zendra
