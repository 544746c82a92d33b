#include "app/app_command_line.h"
#include "app/app_main.h"
#include "app/identity.h"
#include "base/main_queue.h"
#include "platform/linux/process_exit.h"

#include <QApplication>
#include <iostream>

namespace {

// The instance that relaunched us writes its preferences and ends within moments; waiting longer
// than this means it hangs, and this instance takes over anyway.
constexpr int relaunchWaitMs = 10'000;

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    // Parsed before the QApplication so that --help and --version need no display.
    const QStringList arguments = argumentsOf(argc, argv);
    const zendra::CommandLine commandLine = zendra::parseCommandLine(arguments);
    switch (commandLine.command) {
    case zendra::CommandLine::Command::help:
        std::cout << zendra::usageText().toStdString();
        return 0;
    case zendra::CommandLine::Command::version:
        std::cout << zendra::identity::applicationName << ' ' << zendra::identity::version << '\n';
        return 0;
    case zendra::CommandLine::Command::error:
        std::cerr << "zendra: " << commandLine.error.toStdString() << '\n'
                  << zendra::usageText().toStdString();
        return 2;
    case zendra::CommandLine::Command::run:
        break;
    }

    if (commandLine.relaunchedFrom) {
        zendra::linux_process::waitForProcessExit(*commandLine.relaunchedFrom, relaunchWaitMs);
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(zendra::identity::applicationName));
    QApplication::setDesktopFileName(QString::fromUtf8(zendra::identity::bundleIdentifier));

    // A relaunch starts the new instance without the URL: it has been applied already.
    zendra::AppMain app(application, {});
    if (commandLine.url) {
        zendra::dispatchToMain([&app, url = *commandLine.url] { app.appDelegate().openUrls({url}); });
    }
    return application.exec();
}
