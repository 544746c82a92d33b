#include "item_client.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace zendra_applet {

namespace {

// What an error says about Zendra: gone, or there but without the applets' item.
bool meansNotRunning(const QDBusError& error) {
    return error.type() == QDBusError::ServiceUnknown || error.type() == QDBusError::Disconnected ||
           error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
}

bool meansNoItem(const QDBusError& error) {
    return error.type() == QDBusError::UnknownObject || error.type() == QDBusError::UnknownMethod ||
           error.type() == QDBusError::UnknownInterface;
}

template <class Handler> void whenAnswered(QObject* context, const QDBusPendingCall& call, Handler handler) {
    auto* watcher = new QDBusPendingCallWatcher(call, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [handler](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         handler(*finished);
                     });
}

} // namespace

ItemClient::ItemClient(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {
    auto* watcher = new QDBusServiceWatcher(QString::fromLatin1(service), bus_,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) { ownerChanged(owner); });
    bus_.connect(QString::fromLatin1(service), QString::fromLatin1(path), QString::fromLatin1(interface),
                 QStringLiteral("Changed"), this, SLOT(itemChanged()));
    QDBusConnectionInterface* daemon = bus_.interface();
    if (!daemon) {
        problem_ = QStringLiteral("no session bus");
        setState(State::notRunning);
        return;
    }
    whenAnswered(this, daemon->asyncCall(QStringLiteral("GetNameOwner"), QString::fromLatin1(service)),
                 [this](const QDBusPendingCall& answer) {
                     if (running_) {
                         return;
                     }
                     const QDBusPendingReply<QString> owner = answer;
                     if (owner.isValid()) {
                         ownerChanged(owner.value());
                     } else {
                         start();
                     }
                 });
}

void ItemClient::start() {
    setState(State::connecting);
    QDBusMessage activation = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("StartServiceByName"));
    activation << QString::fromLatin1(service) << 0u;
    whenAnswered(this, bus_.asyncCall(activation), [this](const QDBusPendingCall& answer) {
        if (answer.isError() && !running_) {
            problem_ = answer.error().message();
            setState(State::notRunning);
        }
        // On success the name's new owner arrives through the watcher.
    });
}

void ItemClient::ownerChanged(const QString& owner) {
    running_ = !owner.isEmpty();
    registered_ = false;
    if (!running_) {
        picture_ = {};
        pictureSize_ = {};
        toolTip_.clear();
        setState(State::notRunning);
        emit pictureChanged();
        return;
    }
    problem_.clear();
    registerHost(inPanel_);
    render();
}

void ItemClient::itemChanged() {
    running_ = true;
    // Zendra announces its item as soon as it has one: a registration it refused before can work now.
    if (inPanel_ && !registered_) {
        registerHost(true);
    }
    render();
}

void ItemClient::setState(State state) {
    if (state != state_) {
        state_ = state;
        emit stateChanged();
    }
}

QDBusMessage ItemClient::call(const QString& method) const {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(path), QString::fromLatin1(interface), method);
    // Only start() starts Zendra: a user who quit it keeps it quit.
    message.setAutoStartService(false);
    return message;
}

void ItemClient::setPanel(double height, double scale, bool dark) {
    if (height == height_ && scale == scale_ && dark == dark_) {
        return;
    }
    height_ = height;
    scale_ = scale;
    dark_ = dark;
    if (running_) {
        render();
    }
}

void ItemClient::setInPanel(bool inPanel) {
    if (inPanel == inPanel_) {
        return;
    }
    inPanel_ = inPanel;
    if (running_) {
        registerHost(inPanel);
    }
}

void ItemClient::setFrame(QRect frame) {
    if (frame == frame_) {
        return;
    }
    frame_ = frame;
    if (running_ && inPanel_) {
        registerHost(true);
    }
}

QDBusMessage ItemClient::withFrame(QDBusMessage message) const {
    message << frame_.x() << frame_.y() << frame_.width() << frame_.height();
    return message;
}

void ItemClient::registerHost(bool hosting) {
    const QDBusMessage message =
        hosting ? withFrame(call(QStringLiteral("RegisterHost"))) : call(QStringLiteral("UnregisterHost"));
    whenAnswered(this, bus_.asyncCall(message), [this, hosting](const QDBusPendingCall& answer) {
        registered_ = hosting && !answer.isError();
    });
}

void ItemClient::render() {
    if (height_ < 1.0) {
        return;
    }
    if (rendering_) {
        renderAgain_ = true;
        return;
    }
    rendering_ = true;
    QDBusMessage message = call(QStringLiteral("Render"));
    message << height_ << scale_ << dark_;
    const double scale = scale_;
    whenAnswered(this, bus_.asyncCall(message), [this, scale](const QDBusPendingCall& answer) {
        rendering_ = false;
        const QDBusPendingReply<QByteArray, double, double, QString> reply = answer;
        if (reply.isError()) {
            if (meansNotRunning(reply.error())) {
                setState(State::notRunning);
            } else if (meansNoItem(reply.error())) {
                setState(State::elsewhere);
            } else {
                problem_ = reply.error().message();
                setState(State::notRunning);
            }
        } else {
            picture_ = QImage::fromData(reply.argumentAt<0>(), "PNG");
            picture_.setDevicePixelRatio(scale);
            pictureSize_ = QSizeF(reply.argumentAt<1>(), reply.argumentAt<2>());
            toolTip_ = reply.argumentAt<3>();
            setState(State::showing);
            emit pictureChanged();
        }
        if (renderAgain_) {
            renderAgain_ = false;
            render();
        }
    });
}

void ItemClient::click(const QString& button, const QStringList& modifiers) {
    if (!running_) {
        start();
        return;
    }
    QDBusMessage message = call(QStringLiteral("Click"));
    message << button << modifiers;
    bus_.asyncCall(withFrame(message));
}

} // namespace zendra_applet
