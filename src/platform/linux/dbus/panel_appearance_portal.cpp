#include "platform/linux/dbus/panel_appearance_portal.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

namespace zendra {

namespace {

// The portal's color-scheme value as a number, when it is one.
std::optional<uint> colorSchemeValue(const std::optional<QVariant>& value) {
    bool ok = false;
    const uint number = value ? value->toUInt(&ok) : 0;
    return ok ? std::optional(number) : std::nullopt;
}

} // namespace

PortalPanelAppearance::PortalPanelAppearance(QDBusConnection bus)
    : settings_(std::move(bus),
                {{QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme")}},
                [this](const PortalSettings::Setting&, const std::optional<QVariant>& value) {
                    // No portal, or a desktop that does not publish the key: the palette decides.
                    const auto scheme = colorSchemeValue(value);
                    update(scheme ? preferenceFromColorScheme(*scheme) : std::nullopt);
                }) {
    qApp->installEventFilter(this);
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

void PortalPanelAppearance::update(std::optional<bool> preference) {
    const bool wasDark = isDark();
    preference_ = preference;
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
