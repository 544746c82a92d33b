#pragma once

// Starts Zendra itself: the one instance of the session, or a hand-over to the instance that runs.

#include "cli/command_line.h"

namespace zendra {

// Waits for a relaunching predecessor, claims the session-bus name (or hands the URL to the instance
// that holds it and ends), builds the application and runs its event loop. Returns the exit status.
int runApplication(int& argc, char** argv, const CommandLine& commandLine);

} // namespace zendra
