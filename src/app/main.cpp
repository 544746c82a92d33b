// The zendra executable: the command line. It links Qt Core and Qt DBus only, so that the client
// commands start quickly; the application itself and `service` run in the GUI module.
#include "app/gui_module.h"
#include "base/identity.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/run_client.h"
#include "cli/translations.h"

#include <QCoreApplication>
#include <iostream>

namespace zendra {

namespace {

int usageError(const QString& message, bool pointToHelp) {
    reportError(std::cerr, message);
    if (!pointToHelp) {
        return exitUsage;
    }
    std::cerr << QCoreApplication::translate("zendra::cli", "Try '%1' for more information.")
                     .arg(QLatin1String("zendra --help"))
                     .toStdString()
              << '\n';
    return exitUsage;
}

// --help and mistakes, in the user's language: a plain core application holds the translators, and
// the command line is parsed again so that its messages are translated.
int answerHere(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    installTranslations(application);
    const CommandLine commandLine = commandLineOf(argc, argv);
    if (commandLine.command == CommandLine::Command::help) {
        std::cout << usageText().toStdString();
        return exitSuccess;
    }
    return usageError(commandLine.error, commandLine.pointToHelp);
}

// Parsed before any Qt application object, so that --help, --version and mistakes need no display and
// no bus, and the client commands and the GUI module create the application they need.
int run(int argc, char** argv) {
    const CommandLine commandLine = commandLineOf(argc, argv);
    switch (commandLine.command) {
    case CommandLine::Command::help:
    case CommandLine::Command::error:
        return answerHere(argc, argv);
    case CommandLine::Command::version:
        std::cout << identity::applicationName << ' ' << identity::version << '\n';
        return exitSuccess;
    case CommandLine::Command::service:
    case CommandLine::Command::debugInfo:
        return runGuiModule(argc, argv);
    default:
        return runsApplication(commandLine) ? runGuiModule(argc, argv)
                                            : runClientCommand(argc, argv, commandLine);
    }
}

} // namespace

} // namespace zendra

int main(int argc, char** argv) {
    return zendra::run(argc, argv);
}
