#include "app/support_commands.h"

#include "app/app_support.h"
#include "base/identity.h"
#include "cli/debug_info_command.h"
#include "panel/backend/panel_item_backend.h"
#include "platform/linux/session/linux_session.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <iostream>
#include <memory>

namespace zendra {

int runDebugInfoCommand(int& argc, char** argv) {
    // Without a display, a GUI application would abort; the report then has no screens.
    std::unique_ptr<QCoreApplication> application;
    if (LinuxSession::current().hasDisplay()) {
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    const auto sources = linuxDebugSources(nullptr, nullptr, [] {
        auto entries = linuxDebugEntries(chosenPanelItemBackend(std::nullopt), std::nullopt);
        // This report comes from a process of its own: say whether Zendra itself runs.
        QDBusConnection bus = QDBusConnection::sessionBus();
        const auto pid = bus.isConnected()
                             ? bus.interface()->servicePid(QString::fromUtf8(identity::bundleIdentifier))
                             : QDBusReply<uint>();
        entries.emplace_back(QStringLiteral("Running Instance"),
                             pid.isValid() && pid.value() > 0 ? QStringLiteral("process %1").arg(pid.value())
                                                              : QStringLiteral("none"));
        return entries;
    });
    return DebugInfoCommand([&sources] { return KZApp::debugInfo(KZApp::collectDebugFacts(sources)); },
                            {std::cin, std::cout, std::cerr})
        .run();
}

} // namespace zendra
