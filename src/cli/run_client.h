#pragma once

// Runs a client command that needs no display (set-text, get-text, watch and the shortcut actions) in
// this process: against the running instance when there is one, else against the preferences file.

#include "cli/command_line.h"

namespace zendra {

// Creates the QCoreApplication the command needs and returns the process's exit status.
int runClientCommand(int& argc, char** argv, const CommandLine& commandLine);

} // namespace zendra
