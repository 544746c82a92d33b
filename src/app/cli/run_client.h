#pragma once

// Runs a client command (set-text, get-text, service, watch and the shortcut actions) in this
// process: against the running instance when there is one, else against the preferences file.

#include "app/cli/command_line.h"

namespace zendra {

// Creates the Qt application object the command needs (no display, except for `service`) and
// returns the process's exit status.
int runClientCommand(int& argc, char** argv, const CommandLine& commandLine);

} // namespace zendra
