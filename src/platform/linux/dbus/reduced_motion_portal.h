#pragma once

// Whether the user asked the desktop for reduced motion, as the desktop portal's settings publish it:
// "org.freedesktop.appearance" "reduced-motion" 1, GNOME's "org.gnome.desktop.interface"
// "enable-animations" false, or KDE's "org.kde.kdeglobals.KDE" "AnimationDurationFactor" 0. Any one
// of them asks for it. Read without blocking and followed as it changes; without a portal (or before
// it answers) animations are on.

#include "platform/linux/dbus/portal_settings.h"

#include <QDBusConnection>
#include <map>
#include <optional>
#include <utility>

namespace zendra {

class PortalReducedMotion final {
public:
    explicit PortalReducedMotion(QDBusConnection bus = QDBusConnection::sessionBus());

    bool prefersReducedMotion() const;

    // What one setting's value says: true asks for reduced motion, false for animations, none when
    // the setting is not one of the three or its value is not understood.
    static std::optional<bool> reducedMotionFrom(const PortalSettings::Setting& setting,
                                                 const QVariant& value);

private:
    std::map<std::pair<QString, QString>, bool> answers_;
    PortalSettings settings_;
};

} // namespace zendra
