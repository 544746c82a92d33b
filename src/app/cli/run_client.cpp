#include "app/cli/run_client.h"

#include "app/cli/commands.h"
#include "app/cli/watch.h"
#include "platform/linux/x11/connection.h"
#include "prefs/file_suite.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QMimeData>
#include <csignal>
#include <iostream>

namespace zendra {

namespace {

using Command = CommandLine::Command;

void quitSoon() {
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool hasReachableDisplay() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return true;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") && x11::Connection().isAlive();
}

// The current selection: X11's primary selection, or the clipboard where there is none.
std::optional<QString> currentSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto mode = clipboard->supportsSelection() ? QClipboard::Selection : QClipboard::Clipboard;
    const QMimeData* data = clipboard->mimeData(mode);
    if (!data || !data->hasText()) {
        return std::nullopt;
    }
    return data->text();
}

std::unique_ptr<TextTarget> makeTarget() {
    AutomationClient client(QDBusConnection::sessionBus());
    if (client.isApplicationRunning()) {
        return std::make_unique<RunningAppTarget>(std::move(client));
    }
    return std::make_unique<PreferencesFileTarget>();
}

int runWatch(bool json) {
    // A bar that goes away closes the pipe: the next write fails and the command ends, quietly.
    std::signal(SIGPIPE, SIG_IGN);
    Prefs::FileSuite::installTerminationFlush([](int) { quitSoon(); });
    WatchCommand watch(std::cout, json);
    watch.outputClosed = &quitSoon;
    if (!watch.start()) {
        return exitSuccess;
    }
    return QCoreApplication::exec();
}

} // namespace

int runClientCommand(int& argc, char** argv, const CommandLine& commandLine) {
    CommandStreams streams{std::cin, std::cout, std::cerr};
    std::unique_ptr<QCoreApplication> application;
    if (commandLine.command == Command::service) {
        if (!hasReachableDisplay()) {
            reportError(std::cerr, QStringLiteral("service needs a display to read the selection from"));
            return exitFailure;
        }
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }

    if (commandLine.command == Command::watch) {
        return runWatch(commandLine.json);
    }
    const auto target = makeTarget();
    switch (commandLine.command) {
    case Command::setText:
        return SetTextCommand(*target, streams).run(commandLine.text, commandLine.readTextFromInput);
    case Command::getText:
        return GetTextCommand(*target, streams).run();
    case Command::service:
        return ServiceCommand(*target, streams).run(currentSelection());
    case Command::toggleEditor:
        return ShortcutActionCommand(*target, streams).run(ShortcutActionCommand::Action::toggleEditor);
    case Command::clear:
        return ShortcutActionCommand(*target, streams).run(ShortcutActionCommand::Action::clear);
    case Command::paste:
        return ShortcutActionCommand(*target, streams).run(ShortcutActionCommand::Action::paste);
    default:
        reportError(std::cerr, QStringLiteral("not a client command"));
        return exitUsage;
    }
}

} // namespace zendra
