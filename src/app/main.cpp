#include "app/app_automation.h"
#include "app/app_main.h"
#include "app/cli/command_line.h"
#include "app/cli/commands.h"
#include "app/cli/run_client.h"
#include "app/cli/single_instance.h"
#include "app/identity.h"
#include "automation/automation_client.h"
#include "base/main_queue.h"
#include "platform/linux/process_exit.h"

#include <QApplication>
#include <iostream>
#include <variant>

namespace {

using namespace std::chrono_literals;

// The instance that relaunched us writes its preferences and ends within moments; waiting longer
// than this means it hangs, and this instance takes over anyway.
constexpr int relaunchWaitMs = 10'000;
// After that, the bus may need a moment to see the old instance's name go.
constexpr auto relaunchNameWait = 2s;

std::variant<QStringList, QString> argumentsOf(int argc, char** argv) {
    QByteArrayList raw;
    for (int i = 1; i < argc; ++i) {
        raw.append(QByteArray(argv[i]));
    }
    return zendra::decodeArguments(raw);
}

int usageError(const QString& message) {
    std::cerr << "zendra: " << message.toStdString() << "\nTry 'zendra --help' for more information.\n";
    return zendra::exitUsage;
}

// Another instance runs: it gets the URL, this process ends.
int handOver(const std::optional<QString>& url) {
    if (!url) {
        return zendra::exitSuccess;
    }
    const auto reply = zendra::AutomationClient(QDBusConnection::sessionBus()).openUrl(*url);
    if (!reply.ok) {
        zendra::reportError(std::cerr, reply.error);
        return zendra::exitFailure;
    }
    return zendra::exitSuccess;
}

int runApplication(int& argc, char** argv, const zendra::CommandLine& commandLine) {
    if (commandLine.relaunchedFrom) {
        zendra::linux_process::waitForProcessExit(*commandLine.relaunchedFrom, relaunchWaitMs);
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(zendra::identity::applicationName));
    QApplication::setDesktopFileName(QString::fromUtf8(zendra::identity::bundleIdentifier));

    // The service object is on the bus before the name is claimed, so that no caller who sees the
    // name finds nothing behind it; calls are served once the event loop runs, after the app is built.
    std::unique_ptr<zendra::AppMain> app;
    zendra::AutomationService automation(zendra::applicationAutomationActions(
        [&app]() -> zendra::AppDelegate* { return app ? &app->appDelegate() : nullptr; }));
    QDBusConnection bus = QDBusConnection::sessionBus();
    QString problem;
    const auto claim =
        zendra::claimInstanceName(bus, commandLine.relaunchedFrom ? relaunchNameWait : 0s, problem);
    if (claim == zendra::InstanceClaim::heldByAnother) {
        return handOver(commandLine.url);
    }
    if (claim == zendra::InstanceClaim::unavailable) {
        std::cerr << "zendra: no session bus (" << problem.toStdString()
                  << "); other programs cannot reach this instance\n";
    } else {
        automation.exportOn(bus);
    }

    // A relaunch starts the new instance without the URL (it has been applied already) but with the
    // place of the item that was asked for.
    QStringList relaunchArguments;
    if (commandLine.panelItem) {
        relaunchArguments << QStringLiteral("--panel-item=") +
                                 zendra::panelItemBackendName(*commandLine.panelItem);
    }
    app = std::make_unique<zendra::AppMain>(
        application, commandLine.panelItem.value_or(zendra::panelItemBackendFromEnvironment()),
        relaunchArguments);
    if (commandLine.url) {
        zendra::dispatchToMain([&app, url = *commandLine.url] { app->appDelegate().openUrls({url}); });
    }
    return application.exec();
}

} // namespace

int main(int argc, char** argv) {
    // Parsed before any Qt application object, so that --help, --version and mistakes need no
    // display and no bus.
    const auto decoded = argumentsOf(argc, argv);
    if (const auto* error = std::get_if<QString>(&decoded)) {
        return usageError(*error);
    }
    const zendra::CommandLine commandLine = zendra::parseCommandLine(std::get<QStringList>(decoded));
    switch (commandLine.command) {
    case zendra::CommandLine::Command::help:
        std::cout << zendra::usageText().toStdString();
        return zendra::exitSuccess;
    case zendra::CommandLine::Command::version:
        std::cout << zendra::identity::applicationName << ' ' << zendra::identity::version << '\n';
        return zendra::exitSuccess;
    case zendra::CommandLine::Command::error:
        return usageError(commandLine.error);
    case zendra::CommandLine::Command::run:
        return runApplication(argc, argv, commandLine);
    default:
        return zendra::runClientCommand(argc, argv, commandLine);
    }
}
