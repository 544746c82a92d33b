// The entry point of the zendra-gui module, which the executable loads for the commands that need a
// display.
#include "app/gui_module.h"
#include "app/run_application.h"
#include "app/service_command.h"
#include "app/support_commands.h"
#include "cli/command_line.h"
#include "cli/commands.h"

#include <QCoreApplication>
#include <iostream>

namespace zendra {

int zendra_gui_main(int argc, char** argv) {
    using Command = CommandLine::Command;
    // The executable has checked the arguments already; they are parsed again here so that only C
    // types cross into the module.
    const CommandLine commandLine = commandLineOf(argc, argv);
    if (runsApplication(commandLine)) {
        return runApplication(argc, argv, commandLine);
    }
    switch (commandLine.command) {
    case Command::service:
        return runServiceCommand(argc, argv);
    case Command::debugInfo:
        return runDebugInfoCommand(argc, argv);
    default:
        reportError(std::cerr,
                    QCoreApplication::translate("zendra::cli", "not a command of the application"));
        return exitUsage;
    }
}

} // namespace zendra
