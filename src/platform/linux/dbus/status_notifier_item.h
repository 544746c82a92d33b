#pragma once

// The panel item as a StatusNotifierItem: the desktop's own panel draws it from what Zendra publishes
// on the session bus (Zendra's icon, the text as label and tooltip, the menu). The item has a bus
// connection of its own and registers under that connection's unique name: a host that also finds it
// by looking through the bus then sees the one item it was told about, and hosts that follow a
// well-known name of the item start reading it before they know whether that name is there, which
// loses the item in some of them. The menu is exported before the item registers with the panel,
// since hosts read it as soon as they see the item. A click arrives as
// Activate, with the modifier keys held at that moment read from the keyboard; the context menu and a middle
// click arrive as right clicks. Main thread only.

#include "kit/modifier_flags.h"
#include "panel/status_bar.h"
#include "platform/linux/dbus/menu_exporter.h"
#include "platform/linux/dbus/status_notifier_object.h"
#include "platform/linux/dbus/status_notifier_watcher_client.h"

#include <QDBusConnection>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <memory>
#include <optional>

namespace zendra {

class StatusNotifierItem final : public QObject, public StatusBarItem {
public:
    struct Options {
        // None: a connection of its own to the session bus, ended with the item.
        std::optional<QDBusConnection> connection;
        QString id;    // the item's identifier, the application's bundle identifier
        QString title; // the application's name
        DBusMenuExporter::MenuProvider menu;
        std::shared_ptr<KZApp::KeyboardModifiers> modifiers; // none: clicks carry no modifiers
    };

    static constexpr const char* itemPath = "/StatusNotifierItem";
    static constexpr const char* menuPath = "/MenuBar";

    explicit StatusNotifierItem(Options options);
    ~StatusNotifierItem() override;

    // The name the item registers under (its connection's unique name); empty when the item could not
    // go on the bus (it then never shows).
    QString serviceName() const { return serviceName_; }
    StatusNotifierWatcherClient::HostState hostState() const;
    const StatusNotifierObject& object() const { return object_; }
    DBusMenuExporter& menu() { return menu_; }

    void setEvents(StatusBarEvents events) override;
    // The panel shows Zendra's icon and the label; the rendered picture is for the item window.
    void setImage(const QImage& image, QSizeF logicalSize) override;
    void setToolTip(const std::optional<QString>& toolTip) override;
    void setLabel(const QString& label) override;
    bool setContentScale(double scale) override;
    qreal devicePixelRatio() const override;
    // Under the point of the host's last request, else under the pointer; below the panel.
    bool popUpMenu(QMenu& menu) override;
    // While a host shows it: the hidden test's answer when no host is registered.
    bool isOnScreen() const override;
    // From its registration until the watcher's answers are in.
    bool isAwaitingHost() const override;
    // The point of the host's last request (where the panel shows the item), while a host shows it.
    std::optional<QRect> anchorRect() const override;

private:
    void click(StatusItemMouseEvent event, QPoint point, bool withHeldModifiers);
    bool publish();

    // The connection this item opened, if it did: ended after everything on it is gone, and hosts see
    // the item go with the connection's name.
    struct OwnConnection {
        QString name;
        OwnConnection() = default;
        OwnConnection(const OwnConnection&) = delete;
        OwnConnection& operator=(const OwnConnection&) = delete;
        ~OwnConnection();
    };

    OwnConnection ownConnection_;
    Options options_;
    QDBusConnection connection_;
    StatusBarEvents events_;
    DBusMenuExporter menu_;
    StatusNotifierObject object_;
    QString serviceName_;
    std::unique_ptr<StatusNotifierWatcherClient> watcher_;
    std::optional<QPoint> requestPoint_;
    // The menu's enabled states follow the text; hosts are told once typing pauses.
    QTimer menuRefresh_;
};

} // namespace zendra
