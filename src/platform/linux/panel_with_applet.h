#pragma once

// The item on the desktop's panel in both ways a panel can show it: the StatusNotifierItem that trays
// draw, and the item that Zendra's Plasma applet draws from Zendra's own picture. Both get every
// picture and report clicks; while an applet shows the item, menus and popups go to the applet. It
// also follows what the automatic choice of the item's place needs to know: whether plasmashell runs
// (its tray shows only an icon) and whether an applet registered in time. Main thread only.

#include "panel/panel_host_facts.h"
#include "panel/status_bar.h"
#include "platform/linux/dbus/panel_applet_item.h"
#include "platform/linux/dbus/status_notifier_item.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <memory>

class QDBusServiceWatcher;

namespace zendra::linux_panel {

class PanelWithApplet final : public QObject, public StatusBarItem {
public:
    static constexpr const char* plasmaShellService = "org.kde.plasmashell";
    // How long an applet gets to register after Zendra or plasmashell started, before the automatic
    // choice gives up on it: an applet that starts Zendra registers as soon as Zendra is on the bus.
    static constexpr int appletWaitMilliseconds = 2000;

    // `notifier` may be null (the bus refused it); `applet` is required.
    PanelWithApplet(std::unique_ptr<StatusNotifierItem> notifier, std::unique_ptr<PanelAppletItem> applet,
                    QDBusConnection connection = QDBusConnection::sessionBus());
    ~PanelWithApplet() override;

    PanelHostFacts facts() const;
    PanelAppletItem& applet() { return *applet_; }

    void setEvents(StatusBarEvents events) override;
    void setImage(const QImage& image, QSizeF logicalSize) override;
    void setDarkAppearance(bool dark) override;
    void setToolTip(const std::optional<QString>& toolTip) override;
    void setLabel(const QString& label) override;
    bool setContentScale(double scale) override;
    qreal devicePixelRatio() const override;
    bool popUpMenu(QMenu& menu) override;
    bool isOnScreen() const override;
    std::optional<QRect> anchorRect() const override;

private:
    StatusBarItem& shown() const;
    void setPlasmaShell(bool running);
    void changed();

    std::unique_ptr<StatusNotifierItem> notifier_;
    std::unique_ptr<PanelAppletItem> applet_;
    std::function<void()> geometryChanged_;
    QDBusServiceWatcher* plasmaWatcher_;
    std::optional<bool> plasmaShell_;
    QTimer appletWait_;
};

} // namespace zendra::linux_panel
