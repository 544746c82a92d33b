#pragma once

// The panel's appearance on Linux desktops: the colour-scheme preference the desktop publishes through
// the desktop portal's settings ("org.freedesktop.appearance" "color-scheme": 1 dark, 2 light), read
// without blocking and followed as it changes; while the desktop publishes no preference (no portal,
// or 0), whether the application palette's text is lighter than its window background.

#include "panel/panel_appearance.h"
#include "platform/linux/dbus/portal_settings.h"

#include <QDBusConnection>
#include <QObject>
#include <QPalette>
#include <optional>

namespace zendra {

class PortalPanelAppearance final : public QObject, public PanelAppearance {
    Q_OBJECT
public:
    explicit PortalPanelAppearance(QDBusConnection bus = QDBusConnection::sessionBus());

    bool isDark() const override;
    void setOnChange(std::function<void()> onChange) override;

    // The desktop's preference as last read: none while unknown or "no preference".
    std::optional<bool> desktopPrefersDark() const { return preference_; }

    // A palette's reading: light text on a darker window.
    static bool paletteIsDark(const QPalette& palette);
    // The portal's color-scheme value: 1 dark, 2 light, anything else no preference.
    static std::optional<bool> preferenceFromColorScheme(uint value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update(std::optional<bool> preference);

    std::optional<bool> preference_;
    std::function<void()> onChange_;
    PortalSettings settings_;
};

} // namespace zendra
