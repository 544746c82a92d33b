#pragma once

// One Zendra per session: the running instance owns the session-bus name org.zendra.Zendra.

#include <QDBusConnection>
#include <QString>
#include <chrono>

namespace zendra {

enum class InstanceClaim {
    owned,         // this process owns the name now
    heldByAnother, // another instance runs; this one should hand over and end
    unavailable,   // no usable session bus: the process runs, unreachable by other processes
};

// Takes the name without queueing and without letting anyone replace us. While another process holds
// it, tries again until `waitForRelease` has passed (a relaunched instance waits for its predecessor).
// `problem` receives the bus's message when the claim is unavailable.
InstanceClaim claimInstanceName(QDBusConnection bus, std::chrono::milliseconds waitForRelease,
                                QString& problem);

} // namespace zendra
