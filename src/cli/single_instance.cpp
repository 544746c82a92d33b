#include "cli/single_instance.h"

#include "automation/automation_bus.h"

#include <QDBusConnectionInterface>
#include <thread>

namespace zendra {

InstanceClaim claimInstanceName(QDBusConnection bus, std::chrono::milliseconds waitForRelease,
                                QString& problem) {
    if (!bus.isConnected() || !bus.interface()) {
        problem = bus.lastError().message();
        return InstanceClaim::unavailable;
    }
    const auto deadline = std::chrono::steady_clock::now() + waitForRelease;
    for (;;) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            bus.interface()->registerService(QString::fromLatin1(automation_bus::serviceName),
                                             QDBusConnectionInterface::DontQueueService,
                                             QDBusConnectionInterface::DontAllowReplacement);
        if (!reply.isValid()) {
            problem = reply.error().message();
            return InstanceClaim::unavailable;
        }
        if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
            return InstanceClaim::owned;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return InstanceClaim::heldByAnother;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace zendra
