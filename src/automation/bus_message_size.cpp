#include "automation/bus_message_size.h"

#include <dbus/dbus.h>
#include <limits>

namespace zendra {

void keepReadingMessagesOfAnySize(const QDBusConnection& connection) {
    if (auto* raw = static_cast<DBusConnection*>(connection.internalPointer())) {
        dbus_connection_set_max_received_size(raw, std::numeric_limits<long>::max());
    }
}

} // namespace zendra
