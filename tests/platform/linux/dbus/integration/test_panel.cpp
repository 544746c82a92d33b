#include "test_panel.h"

#include "platform/linux/dbus/panel_types.h"
#include "support/wait_until.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <stdexcept>
#include <utility>

namespace zendra::test {

namespace {

using namespace std::chrono_literals;

QString nextConnectionName() {
    static int count = 0;
    return QStringLiteral("test-panel-%1").arg(++count);
}

} // namespace

TestPanel::TestPanel(bool hostRegistered)
    : connectionName_(nextConnectionName()),
      connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_)),
      hostRegistered_(hostRegistered) {
    if (!connection_.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                    QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                        QDBusConnection::ExportAllProperties) ||
        connection_.interface()->registerService(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                                 QDBusConnectionInterface::DontQueueService) !=
            QDBusConnectionInterface::ServiceRegistered) {
        throw std::runtime_error("the test panel cannot own org.kde.StatusNotifierWatcher");
    }
}

TestPanel::~TestPanel() {
    connection_.interface()->unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    connection_.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    QDBusConnection::disconnectFromBus(connectionName_);
}

void TestPanel::setHostRegistered(bool registered) {
    hostRegistered_ = registered;
    if (registered) {
        emit StatusNotifierHostRegistered();
    } else {
        emit StatusNotifierHostUnregistered();
    }
}

void TestPanel::RegisterStatusNotifierItem(const QString& service) {
    if (holdAnswers) {
        setDelayedReply(true);
        heldRegistrations_.append(message());
    }
    items_.append(service);
    for (const auto& [signal, slot] :
         {std::pair{"XAyatanaNewLabel", SLOT(newLabel(QString, QString))},
          std::pair{"NewToolTip", SLOT(newToolTip())}, std::pair{"NewIcon", SLOT(newIcon())}}) {
        connection_.connect(service, QStringLiteral("/StatusNotifierItem"),
                            QStringLiteral("org.kde.StatusNotifierItem"), QString::fromLatin1(signal), this,
                            slot);
    }
    connection_.connect(service, QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
                        QStringLiteral("ItemsPropertiesUpdated"), this,
                        SLOT(itemsPropertiesUpdated(QDBusMessage)));
    emit StatusNotifierItemRegistered(service);
}

void TestPanel::answerRegistrations() {
    for (const QDBusMessage& held : std::exchange(heldRegistrations_, {})) {
        connection_.send(held.createReply());
    }
}

void TestPanel::dropItem(const QString& service, const QString& entry) {
    items_.removeAll(service);
    emit StatusNotifierItemUnregistered(entry);
}

void TestPanel::RegisterStatusNotifierHost(const QString&) {
    setHostRegistered(true);
}

void TestPanel::newLabel(const QString& label, const QString&) {
    labels.append(label);
}

void TestPanel::cacheMenu() {
    const QDBusMessage reply = callMenu(QStringLiteral("GetLayout"), {0, -1, QStringList()});
    menuRows.clear();
    for (const auto& row : qdbus_cast<panel_dbus::MenuLayoutItem>(reply.arguments().value(1)).children) {
        menuRows[row.id] = row.properties;
    }
}

void TestPanel::itemsPropertiesUpdated(const QDBusMessage& message) {
    for (const auto& row : qdbus_cast<panel_dbus::MenuItemPropertiesList>(message.arguments().value(0))) {
        for (auto it = row.properties.cbegin(); it != row.properties.cend(); ++it) {
            menuRows[row.id][it.key()] = *it;
        }
    }
    for (const auto& row : qdbus_cast<panel_dbus::MenuItemPropertyNamesList>(message.arguments().value(1))) {
        for (const QString& name : row.names) {
            menuRows[row.id].remove(name);
        }
    }
}

QDBusMessage TestPanel::call(const QString& path, const QString& interface, const QString& method,
                             const QVariantList& arguments) {
    if (items_.isEmpty()) {
        return QDBusMessage::createError(QStringLiteral("test.NoItem"), QStringLiteral("nothing registered"));
    }
    QDBusMessage message = QDBusMessage::createMethodCall(items_.last(), path, interface, method);
    message.setArguments(arguments);
    QDBusPendingCall pending = connection_.asyncCall(message, 5000);
    waitUntil([&] { return pending.isFinished(); }, 6s);
    return pending.reply();
}

QVariant TestPanel::itemProperty(const QString& name) {
    const QDBusMessage reply =
        call(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("Get"), {QStringLiteral("org.kde.StatusNotifierItem"), name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().first().value<QDBusVariant>().variant();
}

QDBusMessage TestPanel::callItem(const QString& method, const QVariantList& arguments) {
    return call(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"), method,
                arguments);
}

QDBusMessage TestPanel::callMenu(const QString& method, const QVariantList& arguments) {
    return call(QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"), method, arguments);
}

} // namespace zendra::test
