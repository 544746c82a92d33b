#include "platform/linux/dbus/dbus_signal_relay.h"

namespace zendra {

DBusSignalRelay::DBusSignalRelay(std::function<void(const QDBusMessage&)> deliver)
    : deliver_(std::move(deliver)) {}

bool DBusSignalRelay::listen(QDBusConnection& bus, const QString& service, const QString& path,
                             const QString& interface, const QString& name) {
    return bus.connect(service, path, interface, name, this, SLOT(deliver(QDBusMessage)));
}

void DBusSignalRelay::stopListening(QDBusConnection& bus, const QString& service, const QString& path,
                                    const QString& interface, const QString& name) {
    bus.disconnect(service, path, interface, name, this, SLOT(deliver(QDBusMessage)));
}

void DBusSignalRelay::deliver(const QDBusMessage& message) {
    deliver_(message);
}

} // namespace zendra
