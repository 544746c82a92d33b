#include "platform/linux/dbus/status_notifier_watcher_client.h"

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

// Whether an entry of the watcher's item signals names `itemService`: watchers name an item by its
// service, or by its bus name joined to its object path with '/' or '@'.
bool namesItem(const QString& entry, const QString& itemService) {
    if (!entry.startsWith(itemService)) {
        return false;
    }
    if (entry.size() == itemService.size()) {
        return true;
    }
    const QChar next = entry.at(itemService.size());
    return next == QLatin1Char('/') || next == QLatin1Char('@');
}

} // namespace

StatusNotifierWatcherClient::StatusNotifierWatcherClient(QDBusConnection connection, QString itemService,
                                                         std::function<void()> changed, Timing timing,
                                                         QObject* parent)
    : QObject(parent), connection_(std::move(connection)), itemService_(std::move(itemService)),
      changed_(std::move(changed)), timing_(timing),
      serviceWatcher_(new QDBusServiceWatcher(QString::fromLatin1(watcherService), connection_,
                                              QDBusServiceWatcher::WatchForOwnerChange, this)) {
    const QString service = QString::fromLatin1(watcherService);
    const QString path = QString::fromLatin1(watcherPath);
    const QString interface = QString::fromLatin1(watcherInterface);
    connection_.connect(service, path, interface, QStringLiteral("StatusNotifierHostRegistered"), this,
                        SLOT(hostRegistered()));
    connection_.connect(service, path, interface, QStringLiteral("StatusNotifierHostUnregistered"), this,
                        SLOT(hostUnregistered()));
    connection_.connect(service, path, interface, QStringLiteral("StatusNotifierItemUnregistered"), this,
                        SLOT(itemUnregistered(QString)));

    answerDue_.setSingleShot(true);
    answerDue_.setInterval(timing_.answerDue);
    connect(&answerDue_, &QTimer::timeout, this, [this] {
        if (state_ == HostState::unknown) {
            setState(HostState::unhosted);
        }
    });
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, [this] {
        if (!owner_.isEmpty() && !registered_) {
            registerItem();
        }
    });

    connect(serviceWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) { ownerChanged(newOwner); });
    // The bus daemon tells who owns the watcher's name now; changes from here on arrive as
    // NameOwnerChanged, and an answer older than one of those is ignored.
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    ask << service;
    auto* call = new QDBusPendingCallWatcher(connection_.asyncCall(ask), this);
    const unsigned generation = generation_;
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QString> reply = *call;
                if (generation == generation_ && owner_.isEmpty() && !reply.isError()) {
                    ownerChanged(reply.value());
                }
            });
}

StatusNotifierWatcherClient::~StatusNotifierWatcherClient() = default;

void StatusNotifierWatcherClient::ownerChanged(const QString& owner) {
    if (owner == owner_) {
        return;
    }
    owner_ = owner;
    ++generation_;
    registered_ = false;
    retry_.stop();
    if (owner_.isEmpty()) {
        answerDue_.stop();
        setState(HostState::unhosted);
        return;
    }
    retriesLeft_ = timing_.retries;
    registerItem();
}

void StatusNotifierWatcherClient::registerItem() {
    const unsigned generation = ++generation_;
    setState(HostState::unknown);
    answerDue_.start();
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
                    answerDue_.stop();
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
                answerDue_.stop();
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

void StatusNotifierWatcherClient::itemUnregistered(const QString& entry) {
    if (!registered_ || !namesItem(entry, itemService_)) {
        return;
    }
    // The item is still on the bus, so the watcher gave up on it: its host could not read it, or
    // dropped it for a reason of its own. Another registration usually succeeds; a watcher that
    // keeps dropping it does not show it.
    ++generation_;
    registered_ = false;
    if (retriesLeft_ <= 0) {
        setState(HostState::unhosted);
        return;
    }
    const int attempt = timing_.retries - retriesLeft_;
    --retriesLeft_;
    setState(HostState::unknown);
    answerDue_.start();
    retry_.start(timing_.retryPause * (1 << attempt));
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
