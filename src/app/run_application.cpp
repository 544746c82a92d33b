#include "app/run_application.h"

#include "app/app_automation.h"
#include "app/app_main.h"
#include "app/app_state.h"
#include "app/display_choice.h"
#include "automation/automation_client.h"
#include "base/identity.h"
#include "base/main_queue.h"
#include "cli/commands.h"
#include "cli/single_instance.h"
#include "cli/text_target.h"
#include "platform/linux/process_exit.h"

#include <QApplication>
#include <iostream>
#include <memory>
#include <optional>

namespace zendra {

namespace {

using namespace std::chrono_literals;

// The instance that relaunched us writes its preferences and ends within moments; waiting longer
// than this means it hangs, and this instance takes over anyway.
constexpr int relaunchWaitMs = 10'000;
// After that, the bus may need a moment to see the old instance's name go.
constexpr auto relaunchNameWait = 2s;

// Another instance runs: it gets the URL or the action (opening its settings), this process ends.
int handOver(const CommandLine& commandLine) {
    const AutomationClient client(QDBusConnection::sessionBus());
    if (commandLine.action) {
        RunningAppTarget running(client);
        return ActionCommand(running, {std::cin, std::cout, std::cerr}).run(*commandLine.action);
    }
    const auto& url = commandLine.url;
    if (!url) {
        return exitSuccess;
    }
    const auto reply = client.openUrl(*url);
    if (!reply.ok) {
        reportError(std::cerr, reply.error);
        return exitFailure;
    }
    return exitSuccess;
}

constexpr char platformVariable[] = "QT_QPA_PLATFORM";

std::optional<QByteArray> userPlatform() {
    if (!qEnvironmentVariableIsSet(platformVariable)) {
        return std::nullopt;
    }
    return qgetenv(platformVariable);
}

// The programs Zendra starts get the user's own setting back.
void restorePlatform(const std::optional<QByteArray>& user) {
    if (user) {
        qputenv(platformVariable, *user);
    } else {
        qunsetenv(platformVariable);
    }
}

} // namespace

int runApplication(int& argc, char** argv, const CommandLine& commandLine) {
    std::optional<x11::Connection> x11(std::in_place);
    const DisplayChoice display = chooseDisplay(currentDisplaySession(*x11));
    if (!display.message.isEmpty()) {
        reportError(std::cerr, display.message);
    }
    if (!display.canStart) {
        return exitFailure;
    }
    if (commandLine.relaunchedFrom) {
        linux_process::waitForProcessExit(*commandLine.relaunchedFrom, relaunchWaitMs);
    }

    const auto user = userPlatform();
    if (display.platform) {
        qputenv(platformVariable, *display.platform);
    }
    QApplication application(argc, argv);
    x11.reset(); // Qt is connected now
    if (display.platform) {
        restorePlatform(user);
    }
    QApplication::setApplicationName(QString::fromUtf8(identity::applicationName));
    QApplication::setDesktopFileName(QString::fromUtf8(identity::bundleIdentifier));

    // The service object is on the bus before the name is claimed, so that no caller who sees the
    // name finds nothing behind it; calls are served once the event loop runs, after the app is built.
    std::unique_ptr<AppMain> app;
    AutomationService automation(applicationAutomationActions(
        [&app]() -> AppDelegate* { return app ? &app->appDelegate() : nullptr; }));
    QDBusConnection bus = QDBusConnection::sessionBus();
    QString problem;
    const auto claim = claimInstanceName(bus, commandLine.relaunchedFrom ? relaunchNameWait : 0s, problem);
    if (claim == InstanceClaim::heldByAnother) {
        return handOver(commandLine);
    }
    if (claim == InstanceClaim::unavailable) {
        std::cerr << "zendra: no session bus (" << problem.toStdString()
                  << "); other programs cannot reach this instance\n";
    } else {
        automation.exportOn(bus);
    }

    // A relaunch starts the new instance without the URL (it has been applied already) but with the
    // place of the item that was asked for.
    QStringList relaunchArguments;
    if (commandLine.panelItem) {
        relaunchArguments << QStringLiteral("--panel-item=") + panelItemBackendName(*commandLine.panelItem);
    }
    app = std::make_unique<AppMain>(application, chosenPanelItemBackend(commandLine.panelItem),
                                    relaunchArguments);
    if (commandLine.url) {
        dispatchToMain([&app, url = *commandLine.url] { app->appDelegate().openUrls({url}); });
    }
    if (commandLine.action) {
        AppState::shared().perform(*commandLine.action, ActionSource::commandLine);
    }
    return application.exec();
}

} // namespace zendra
