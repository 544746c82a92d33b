#include "automation/automation_client.h"

#include "automation/automation_bus.h"
#include "automation/intent_response_code.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace zendra {

AutomationClient::AutomationClient(QDBusConnection bus, std::chrono::milliseconds timeout)
    : bus_(std::move(bus)), timeout_(timeout) {}

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
        return AutomationReply::failure(QStringLiteral("no session bus: %1").arg(bus_.lastError().message()));
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
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply")) {
        return AutomationReply::failure(
            QStringLiteral("Zendra did not answer %1 within %2 ms").arg(method).arg(timeout_.count()));
    }
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        return AutomationReply::failure(QStringLiteral("Zendra is not running"));
    }
    return AutomationReply::failure(
        QStringLiteral("Zendra refused %1: %2").arg(method, reply.errorMessage()));
}

AutomationReply AutomationClient::callWithCode(const QString& method, const QVariantList& arguments) const {
    QVariantList results;
    AutomationReply reply = call(method, arguments, &results);
    if (!reply.ok) {
        return reply;
    }
    if (results.isEmpty() || results.first().metaType().id() != QMetaType::Int) {
        return AutomationReply::failure(
            QStringLiteral("Zendra answered %1 without a response code").arg(method));
    }
    const int code = results.first().toInt();
    if (code != rawValue(IntentResponseCode::success)) {
        return AutomationReply::failure(
            QStringLiteral("Zendra answered %1 with response code %2").arg(method).arg(code));
    }
    return AutomationReply::success(results.value(1).toString());
}

AutomationReply AutomationClient::setText(const QString& text) const {
    return callWithCode(QStringLiteral("SetText"), {text});
}

AutomationReply AutomationClient::text() const {
    return callWithCode(QStringLiteral("GetText"), {});
}

AutomationReply AutomationClient::openUrl(const QString& url) const {
    return call(QStringLiteral("OpenUrl"), {url});
}

AutomationReply AutomationClient::setTextFromService(const QString& text) const {
    return call(QStringLiteral("SetTextFromService"), {text});
}

AutomationReply AutomationClient::toggleEditor() const {
    return call(QStringLiteral("ToggleEditor"), {});
}

AutomationReply AutomationClient::clear() const {
    return call(QStringLiteral("Clear"), {});
}

AutomationReply AutomationClient::paste() const {
    return call(QStringLiteral("Paste"), {});
}

AutomationReply AutomationClient::openSettings() const {
    return call(QStringLiteral("OpenSettings"), {});
}

} // namespace zendra
