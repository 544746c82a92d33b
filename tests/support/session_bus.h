#pragma once

#include "support/process_handle.h"
#include "support/scoped_env.h"
#include "support/unique_fd.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace zendra::test {

// A private D-Bus session bus (dbus-daemon with a configuration of its own: a socket in a temporary
// folder, every name may be owned, no service activation except from `serviceDirectories`). The
// constructor returns once the bus accepts connections, with DBUS_SESSION_BUS_ADDRESS pointing at it;
// the destructor puts the variable back and ends the daemon. A bus made with `Role::other` (one that
// stands in for the system bus, say) leaves the variable alone; hand its address() to the programs
// that use it. The daemon cannot outlive the test process
// (see ProcessHandle). Throws std::runtime_error, with the daemon's output, when it cannot start.
//
// Integration tests get one for the whole executable from the integration test main, and
// QDBusConnection::sessionBus() is on it. Qt keeps the session connection it made first, so a test with
// a bus of its own connects explicitly:
//     SessionBus bus;
//     auto connection = QDBusConnection::connectToBus(bus.address(), "test");
//     ...
//     QDBusConnection::disconnectFromBus("test");
class SessionBus {
public:
    enum class Role { session, other };

    explicit SessionBus(const QStringList& serviceDirectories = {}, Role role = Role::session);
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    QString address() const { return address_; }
    pid_t pid() const { return process_->pid(); }

private:
    QTemporaryDir dir_;
    UniqueFd log_;
    std::optional<ProcessHandle> process_;
    QString address_;
    std::optional<ScopedEnv> addressEnv_;
};

} // namespace zendra::test
