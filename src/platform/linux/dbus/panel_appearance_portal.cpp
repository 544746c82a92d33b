#include "platform/linux/dbus/panel_appearance_portal.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>

namespace zendra {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// Read() wraps the value in a second variant; older portals send it once.
std::optional<uint> colorSchemeValue(QVariant value) {
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    bool ok = false;
    const uint number = value.toUInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

} // namespace

PortalPanelAppearance::PortalPanelAppearance(QDBusConnection bus) : bus_(std::move(bus)) {
    qApp->installEventFilter(this);
    if (bus_.isConnected()) {
        // The value arrives through the message: QtDBus does not connect a slot taking a QDBusVariant.
        bus_.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                     SLOT(settingChanged(QDBusMessage)));
        readPreference();
    }
}

bool PortalPanelAppearance::isDark() const {
    return preference_.value_or(paletteIsDark(QGuiApplication::palette()));
}

void PortalPanelAppearance::setOnChange(std::function<void()> onChange) {
    onChange_ = std::move(onChange);
}

bool PortalPanelAppearance::paletteIsDark(const QPalette& palette) {
    return palette.color(QPalette::WindowText).lightness() > palette.color(QPalette::Window).lightness();
}

std::optional<bool> PortalPanelAppearance::preferenceFromColorScheme(uint value) {
    if (value == 1) {
        return true;
    }
    if (value == 2) {
        return false;
    }
    return std::nullopt;
}

void PortalPanelAppearance::readPreference() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, QStringLiteral("Read"));
    call << appearanceGroup << colorSchemeKey;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        // No portal, or a desktop that does not publish the key: the palette decides.
        if (reply.isError()) {
            return;
        }
        const auto value = colorSchemeValue(reply.value().variant());
        update(value ? preferenceFromColorScheme(*value) : std::nullopt);
    });
}

void PortalPanelAppearance::settingChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 3) {
        return;
    }
    const QString group = arguments[0].toString();
    const QString key = arguments[1].toString();
    const QDBusVariant value = arguments[2].value<QDBusVariant>();
    if (group != appearanceGroup || key != colorSchemeKey) {
        return;
    }
    const auto scheme = colorSchemeValue(value.variant());
    update(scheme ? preferenceFromColorScheme(*scheme) : std::nullopt);
}

void PortalPanelAppearance::update(std::optional<bool> preference) {
    const bool wasDark = isDark();
    preference_ = preference;
    notifyIfChanged(wasDark);
}

void PortalPanelAppearance::notifyIfChanged(bool wasDark) {
    if (isDark() != wasDark && onChange_) {
        onChange_();
    }
}

bool PortalPanelAppearance::eventFilter(QObject* watched, QEvent* event) {
    // The palette only matters without a desktop preference; a change of it may flip the answer.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !preference_ && onChange_) {
        onChange_();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zendra
