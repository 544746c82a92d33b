#include "cli/watch_instance.h"

#include "automation/automation_bus.h"
#include "automation/bus_message_size.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace zendra {

namespace {

QString serviceName() {
    return QString::fromLatin1(automation_bus::serviceName);
}

} // namespace

InstanceTextFollower::InstanceTextFollower(QDBusConnection bus,
                                           std::function<void(std::optional<QString>)> changed)
    : bus_(std::move(bus)), changed_(std::move(changed)) {}

bool InstanceTextFollower::start() {
    if (!bus_.isConnected() || !bus_.interface()) {
        return false;
    }
    keepReadingMessagesOfAnySize(bus_);
    // Any sender; the slot keeps the signals of the instance that owns the name now.
    if (!bus_.connect(QString(), QString::fromLatin1(automation_bus::objectPath),
                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
                      this, SLOT(propertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)))) {
        return false;
    }
    auto* watcher =
        new QDBusServiceWatcher(serviceName(), bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &InstanceTextFollower::ownerChanged);
    owner_ = bus_.interface()->serviceOwner(serviceName()).value();
    if (owner_.isEmpty()) {
        changed_(std::nullopt);
    } else {
        askForText();
    }
    return true;
}

// Replies and signals of one sender arrive in the order it sent them; asking asynchronously keeps
// that order, so a change announced before the reply is never shown after it.
void InstanceTextFollower::askForText() {
    auto call = QDBusMessage::createMethodCall(owner_, QString::fromLatin1(automation_bus::objectPath),
                                               QString::fromLatin1(automation_bus::interfaceName),
                                               QStringLiteral("GetText"));
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, question = ++questions_](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<QString> reply = *done;
                done->deleteLater();
                // Only the latest question counts; an instance that cannot answer leaves the file
                // to speak for it.
                if (question == questions_ && !owner_.isEmpty()) {
                    changed_(reply.isValid() ? std::optional(reply.value()) : std::nullopt);
                }
            });
}

void InstanceTextFollower::propertiesChanged(const QString& interface, const QVariantMap& changed,
                                             const QStringList&, const QDBusMessage& message) {
    const auto text = changed.constFind(QString::fromLatin1(automation_bus::textProperty));
    if (owner_.isEmpty() || message.service() != owner_ ||
        interface != QLatin1String(automation_bus::interfaceName) || text == changed.cend()) {
        return;
    }
    changed_(text->toString());
}

void InstanceTextFollower::ownerChanged(const QString&, const QString&, const QString& newOwner) {
    owner_ = newOwner;
    if (owner_.isEmpty()) {
        changed_(std::nullopt);
    } else {
        askForText();
    }
}

} // namespace zendra
