#include "fake_global_shortcuts_portal.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <stdexcept>

namespace zendra::test {

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

QString senderPart(const QDBusMessage& call) {
    QString sender = call.service().mid(1);
    sender.replace(u'.', u'_');
    return sender;
}

} // namespace

FakeGlobalShortcutsPortal::FakeGlobalShortcutsPortal()
    : connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                QStringLiteral("fake-global-shortcuts"))) {
    if (!connection_.registerVirtualObject(portalPath, this) ||
        connection_.interface()->registerService(serviceName) !=
            QDBusConnectionInterface::ServiceRegistered) {
        throw std::runtime_error("the fake portal cannot own its name");
    }
}

FakeGlobalShortcutsPortal::~FakeGlobalShortcutsPortal() {
    connection_.interface()->unregisterService(serviceName);
    connection_.unregisterObject(portalPath);
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-global-shortcuts"));
}

QString FakeGlobalShortcutsPortal::introspect(const QString&) const {
    return {};
}

bool FakeGlobalShortcutsPortal::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
    const QVariantList arguments = message.arguments();
    if (message.member() == QLatin1String("Get")) {
        if (arguments.value(0).toString() != shortcutsInterface) {
            connection_.send(message.createErrorReply(QDBusError::UnknownInterface, QStringLiteral("no")));
        } else {
            connection_.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        }
        return true;
    }
    if (message.member() == QLatin1String("Register")) {
        registeredAppId = arguments.value(0).toString();
        connection_.send(message.createReply());
        return true;
    }
    if (message.member() == QLatin1String("CreateSession")) {
        if (registeredAppId.isEmpty()) {
            connection_.send(message.createErrorReply(QDBusError::AccessDenied, QStringLiteral("who?")));
            return true;
        }
        const auto options = qdbus_cast<QVariantMap>(arguments.value(0));
        session = portalPath + QStringLiteral("/session/") + senderPart(message) + u'/' +
                  options.value(QStringLiteral("session_handle_token")).toString();
        respond(message, options, {{QStringLiteral("session_handle"), session}});
        return true;
    }
    if (message.member() == QLatin1String("BindShortcuts") && arguments.size() == 4) {
        const auto list = arguments[1].value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString id;
            QVariantMap options;
            list.beginStructure();
            list >> id >> options;
            list.endStructure();
            bindings.push_back({id, options.value(QStringLiteral("description")).toString(),
                                options.value(QStringLiteral("preferred_trigger")).toString()});
        }
        list.endArray();
        respond(message, qdbus_cast<QVariantMap>(arguments[3]), {});
        return true;
    }
    return false;
}

// Answers with the request's path, then its Response signal, as the portal does.
void FakeGlobalShortcutsPortal::respond(const QDBusMessage& call, const QVariantMap& options,
                                        const QVariantMap& results) {
    const QString request = portalPath + QStringLiteral("/request/") + senderPart(call) + u'/' +
                            options.value(QStringLiteral("handle_token")).toString();
    connection_.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
    QDBusMessage response = QDBusMessage::createSignal(
        request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
    response << 0u << results;
    connection_.send(response);
}

void FakeGlobalShortcutsPortal::press(const QString& id, const QString& other) {
    emitShortcutSignal(QStringLiteral("Activated"), id, other.isEmpty() ? session : other);
}

void FakeGlobalShortcutsPortal::release(const QString& id, const QString& other) {
    emitShortcutSignal(QStringLiteral("Deactivated"), id, other.isEmpty() ? session : other);
}

void FakeGlobalShortcutsPortal::emitShortcutSignal(const QString& name, const QString& id,
                                                   const QString& target) {
    QDBusMessage signal = QDBusMessage::createSignal(portalPath, shortcutsInterface, name);
    signal << QVariant::fromValue(QDBusObjectPath(target)) << id << qulonglong(0) << QVariantMap();
    connection_.send(signal);
}

} // namespace zendra::test
