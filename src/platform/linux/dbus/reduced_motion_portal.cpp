#include "platform/linux/dbus/reduced_motion_portal.h"

#include <algorithm>

namespace zendra {

namespace {

const PortalSettings::Setting freedesktopReducedMotion{QStringLiteral("org.freedesktop.appearance"),
                                                       QStringLiteral("reduced-motion")};
const PortalSettings::Setting gnomeAnimations{QStringLiteral("org.gnome.desktop.interface"),
                                              QStringLiteral("enable-animations")};
const PortalSettings::Setting kdeAnimationFactor{QStringLiteral("org.kde.kdeglobals.KDE"),
                                                 QStringLiteral("AnimationDurationFactor")};

bool same(const PortalSettings::Setting& a, const PortalSettings::Setting& b) {
    return a.group == b.group && a.key == b.key;
}

bool isNumber(const QVariant& value) {
    return value.canConvert<double>() && value.userType() != QMetaType::QString &&
           value.userType() != QMetaType::Bool;
}

} // namespace

PortalReducedMotion::PortalReducedMotion(QDBusConnection bus)
    : settings_(std::move(bus), {freedesktopReducedMotion, gnomeAnimations, kdeAnimationFactor},
                [this](const PortalSettings::Setting& setting, const std::optional<QVariant>& value) {
                    const auto key = std::make_pair(setting.group, setting.key);
                    if (const auto reduced = value ? reducedMotionFrom(setting, *value) : std::nullopt) {
                        answers_[key] = *reduced;
                    } else {
                        answers_.erase(key);
                    }
                }) {}

bool PortalReducedMotion::prefersReducedMotion() const {
    return std::any_of(answers_.begin(), answers_.end(), [](const auto& answer) { return answer.second; });
}

std::optional<bool> PortalReducedMotion::reducedMotionFrom(const PortalSettings::Setting& setting,
                                                           const QVariant& value) {
    if (same(setting, freedesktopReducedMotion) && isNumber(value)) {
        return value.toUInt() == 1;
    }
    if (same(setting, gnomeAnimations) && value.userType() == QMetaType::Bool) {
        return !value.toBool();
    }
    if (same(setting, kdeAnimationFactor)) {
        // KDE's portal passes its configuration as text; others may send the number.
        bool ok = false;
        const double factor = value.toDouble(&ok);
        if (ok && (isNumber(value) || value.userType() == QMetaType::QString)) {
            return factor == 0.0;
        }
    }
    return std::nullopt;
}

} // namespace zendra
