#include "automation/automation_client.h"

#include "automation/automation_bus.h"
#include "automation/bus_message_size.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace zendra {

AutomationClient::AutomationClient(QDBusConnection bus, std::chrono::milliseconds timeout)
    : bus_(std::move(bus)), timeout_(timeout) {
    keepReadingMessagesOfAnySize(bus_);
}

bool AutomationClient::isApplicationRunning() const {
    if (!bus_.isConnected() || !bus_.interface()) {
        return false;
    }
    const auto owned =
        bus_.interface()->isServiceRegistered(QString::fromLatin1(automation_bus::serviceName));
    return owned.isValid() && owned.value();
}

AutomationReply AutomationClient::call(const QString& method, const QVariantList& arguments,
                                       QVariantList* results) const {
    if (!bus_.isConnected()) {
        return AutomationReply::noAnswer(
            QStringLiteral("no session bus: %1").arg(bus_.lastError().message()));
    }
    auto message = QDBusMessage::createMethodCall(QString::fromLatin1(automation_bus::serviceName),
                                                  QString::fromLatin1(automation_bus::objectPath),
                                                  QString::fromLatin1(automation_bus::interfaceName), method);
    message.setArguments(arguments);
    message.setAutoStartService(false);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, int(timeout_.count()));
    if (reply.type() == QDBusMessage::ReplyMessage) {
        if (results) {
            *results = reply.arguments();
        }
        return AutomationReply::success();
    }
    const QString name = reply.errorName();
    // Zendra's own errors carry a reason written for the user.
    if (name.startsWith(QLatin1String(automation_bus::errorPrefix))) {
        return AutomationReply::failure(reply.errorMessage());
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply")) {
        return AutomationReply::noAnswer(
            QStringLiteral("Zendra did not answer %1 within %2 ms").arg(method).arg(timeout_.count()));
    }
    // Also what a call meets while the instance is shutting down.
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
        name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Disconnected")) {
        return AutomationReply::noAnswer(QStringLiteral("Zendra is not running"));
    }
    return AutomationReply::failure(
        QStringLiteral("Zendra refused %1: %2").arg(method, reply.errorMessage()));
}

AutomationReply AutomationClient::setText(const QString& text) const {
    return call(QStringLiteral("SetText"), {text});
}

AutomationReply AutomationClient::text() const {
    QVariantList results;
    AutomationReply reply = call(QStringLiteral("GetText"), {}, &results);
    if (!reply.ok) {
        return reply;
    }
    if (results.size() != 1 || results.first().metaType().id() != QMetaType::QString) {
        return AutomationReply::failure(QStringLiteral("Zendra answered GetText without a text"));
    }
    return AutomationReply::success(results.first().toString());
}

AutomationReply AutomationClient::openUrl(const QString& url) const {
    return call(QStringLiteral("OpenUrl"), {url});
}

AutomationReply AutomationClient::setTextFromService(const QString& text) const {
    return call(QStringLiteral("SetTextFromService"), {text});
}

AutomationReply AutomationClient::perform(UserAction action) const {
    return call(QLatin1String(userActionEntry(action).busMethod), {});
}

} // namespace zendra
