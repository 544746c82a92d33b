#include "platform/linux/panel_host_query.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace zendra::linux_panel {

std::optional<bool> isPanelHostRegistered(const QDBusConnection& bus, int timeoutMs) {
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.kde.StatusNotifierWatcher")
         << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    const QVariant value = reply.arguments().constFirst().value<QDBusVariant>().variant();
    if (!value.canConvert<bool>()) {
        return std::nullopt;
    }
    return value.toBool();
}

} // namespace zendra::linux_panel
