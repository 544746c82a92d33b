#include "platform/linux/dbus/portal_settings.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace zendra {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");

// Read() wraps the value in a second variant; older portals send it once.
QVariant unwrapped(QVariant value) {
    while (value.userType() == qMetaTypeId<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

} // namespace

PortalSettings::PortalSettings(QDBusConnection bus, std::vector<Setting> settings, Handler handler,
                               QObject* parent)
    : QObject(parent), bus_(std::move(bus)), settings_(std::move(settings)), handler_(std::move(handler)) {
    if (!bus_.isConnected()) {
        return;
    }
    // The value arrives through the message: QtDBus does not connect a slot taking a QDBusVariant.
    bus_.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                 SLOT(settingChanged(QDBusMessage)));
    for (const Setting& setting : settings_) {
        read(setting);
    }
}

void PortalSettings::read(const Setting& setting) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, QStringLiteral("Read"));
    call << setting.group << setting.key;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, setting](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *done;
                if (reply.isError()) {
                    handler_(setting, std::nullopt);
                } else {
                    handler_(setting, unwrapped(reply.value().variant()));
                }
            });
}

bool PortalSettings::isFollowed(const Setting& setting) const {
    return std::any_of(settings_.begin(), settings_.end(), [&](const Setting& followed) {
        return followed.group == setting.group && followed.key == setting.key;
    });
}

void PortalSettings::settingChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 3) {
        return;
    }
    const Setting setting{arguments[0].toString(), arguments[1].toString()};
    if (isFollowed(setting)) {
        handler_(setting, unwrapped(arguments[2]));
    }
}

} // namespace zendra
