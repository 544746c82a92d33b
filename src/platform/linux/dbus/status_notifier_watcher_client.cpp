#include "platform/linux/dbus/status_notifier_watcher_client.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <cstdio>

namespace zendra {

namespace {

QDBusMessage watcherCall(const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(QString::fromLatin1(StatusNotifierWatcherClient::watcherService),
                                          QString::fromLatin1(StatusNotifierWatcherClient::watcherPath),
                                          interface, method);
}

} // namespace

StatusNotifierWatcherClient::StatusNotifierWatcherClient(QDBusConnection connection, QString itemService,
                                                         std::function<void()> changed, QObject* parent)
    : QObject(parent), connection_(std::move(connection)), itemService_(std::move(itemService)),
      changed_(std::move(changed)),
      serviceWatcher_(new QDBusServiceWatcher(QString::fromLatin1(watcherService), connection_,
                                              QDBusServiceWatcher::WatchForOwnerChange, this)) {
    const QString service = QString::fromLatin1(watcherService);
    const QString path = QString::fromLatin1(watcherPath);
    const QString interface = QString::fromLatin1(watcherInterface);
    connection_.connect(service, path, interface, QStringLiteral("StatusNotifierHostRegistered"), this,
                        SLOT(hostRegistered()));
    connection_.connect(service, path, interface, QStringLiteral("StatusNotifierHostUnregistered"), this,
                        SLOT(hostUnregistered()));
    connect(serviceWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner.isEmpty()) {
                    ++generation_;
                    registered_ = false;
                    setState(HostState::unhosted);
                } else {
                    watcherAppeared();
                }
            });
    // A question to the bus daemon itself, which answers at once.
    if (connection_.interface() && connection_.interface()->isServiceRegistered(service).value()) {
        watcherAppeared();
    }
}

StatusNotifierWatcherClient::~StatusNotifierWatcherClient() = default;

void StatusNotifierWatcherClient::watcherAppeared() {
    const unsigned generation = ++generation_;
    registered_ = false;
    setState(HostState::unknown);
    QDBusMessage message =
        watcherCall(QString::fromLatin1(watcherInterface), QStringLiteral("RegisterStatusNotifierItem"));
    message << itemService_;
    auto* call = new QDBusPendingCallWatcher(connection_.asyncCall(message), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (generation != generation_) {
                    return;
                }
                if (call->isError()) {
                    std::fprintf(stderr, "zendra: the panel refused the item: %s\n",
                                 qPrintable(call->error().message()));
                    setState(HostState::unhosted);
                    return;
                }
                registered_ = true;
                ++registrations_;
                readHostState();
            });
}

void StatusNotifierWatcherClient::readHostState() {
    const unsigned generation = generation_;
    QDBusMessage message =
        watcherCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    message << QString::fromLatin1(watcherInterface) << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* call = new QDBusPendingCallWatcher(connection_.asyncCall(message), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (generation != generation_ || !registered_) {
                    return;
                }
                const QDBusPendingReply<QDBusVariant> reply = *call;
                const bool hosted = !reply.isError() && reply.value().variant().toBool();
                setState(hosted ? HostState::hosted : HostState::unhosted);
            });
}

void StatusNotifierWatcherClient::hostRegistered() {
    if (registered_) {
        setState(HostState::hosted);
    }
}

void StatusNotifierWatcherClient::hostUnregistered() {
    // Another host may still be there: ask rather than assume.
    if (registered_) {
        readHostState();
    }
}

void StatusNotifierWatcherClient::setState(HostState state) {
    if (state != state_) {
        state_ = state;
        if (changed_) {
            changed_();
        }
    }
}

} // namespace zendra
