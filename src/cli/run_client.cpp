#include "cli/run_client.h"

#include "cli/commands.h"
#include "cli/config_command.h"
#include "cli/reset_command.h"
#include "cli/translations.h"
#include "cli/watch.h"
#include "prefs/file_suite.h"
#include "prefs/standard_suite.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <csignal>
#include <iostream>

namespace zendra {

namespace {

using Command = CommandLine::Command;

// Only a QCoreApplication exists here: reached through QCoreApplication, never through qApp, which
// means a QGuiApplication wherever that header is included.
void quitSoon() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

int runWatch(bool json) {
    // A bar that goes away closes the pipe: the next write fails and the command ends, quietly.
    std::signal(SIGPIPE, SIG_IGN);
    Prefs::FileSuite::installTerminationFlush([](int) { quitSoon(); });
    const QDBusConnection bus = QDBusConnection::sessionBus();
    WatchCommand watch(std::cout, json, bus.isConnected() ? std::optional(bus) : std::nullopt);
    watch.outputClosed = &quitSoon;
    if (!watch.start()) {
        return exitSuccess;
    }
    return QCoreApplication::exec();
}

} // namespace

int runClientCommand(int& argc, char** argv, const CommandLine& commandLine) {
    CommandStreams streams{std::cin, std::cout, std::cerr};
    QCoreApplication application(argc, argv);
    installTranslations(application);
    if (commandLine.command == Command::watch) {
        return runWatch(commandLine.json);
    }
    if (commandLine.command == Command::config) {
        Prefs::FileSuite::Options options;
        options.followOutsideChanges = false;
        Prefs::setStandardSuiteOptions(options);
        return ConfigCommand(streams).run(commandLine.configArguments);
    }
    if (commandLine.command == Command::reset) {
        return ResetCommand(sessionResetOperations(), streams).run(commandLine.assumeYes);
    }
    const auto target = textTargetForSession();
    switch (commandLine.command) {
    case Command::setText:
        return SetTextCommand(*target, streams).run(commandLine.text, commandLine.readTextFromInput);
    case Command::getText:
        return GetTextCommand(*target, streams).run();
    case Command::action:
        return ActionCommand(*target, streams).run(*commandLine.action);
    default:
        reportError(std::cerr, QCoreApplication::translate("zendra::cli", "not a client command"));
        return exitUsage;
    }
}

} // namespace zendra
