#pragma once

// The org.kde.StatusNotifierItem object a panel host reads: the item's identity, picture, tooltip,
// label (the label extension hosts show beside the icon) and menu path, with the signals that tell the
// host what changed. Host requests (activate, context menu) go to the callbacks. Main thread only.

#include "platform/linux/dbus/panel_types.h"

#include <QDBusObjectPath>
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

namespace zendra {

class StatusNotifierObject final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(zendra::panel_dbus::IconPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(zendra::panel_dbus::IconPixmapList OverlayIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(zendra::panel_dbus::IconPixmapList AttentionIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(zendra::panel_dbus::ToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    Q_PROPERTY(QString XAyatanaLabel READ label)
    Q_PROPERTY(QString XAyatanaLabelGuide READ label)

public:
    struct Identity {
        QString id;
        QString title;
        QString menuPath;
    };
    // What the host asked for, at the given screen point (0, 0 when the host does not say).
    struct Requests {
        std::function<void(QPoint)> activate;
        std::function<void(QPoint)> secondaryActivate;
        std::function<void(QPoint)> contextMenu;
    };

    StatusNotifierObject(Identity identity, Requests requests, QObject* parent = nullptr);

    // Each setter signals the host only when the value changed. The tooltip's text is plain; hosts get
    // it escaped, as the body is markup to them.
    void setToolTip(const QString& text);
    void setLabel(const QString& label);

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return identity_.id; }
    QString title() const { return identity_.title; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString noName() const { return {}; }
    // Zendra's icon; the text goes in the label and the tooltip, as hosts squeeze icons into a square.
    QString iconName() const;
    panel_dbus::IconPixmapList iconPixmap() const;
    panel_dbus::IconPixmapList noPixmap() const { return {}; }
    panel_dbus::ToolTip toolTip() const;
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(identity_.menuPath); }
    QString label() const { return label_; }

public slots:
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString& orientation);

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);
    void XAyatanaNewLabel(const QString& label, const QString& guide);

private:
    Identity identity_;
    Requests requests_;
    QString toolTipText_;
    QString label_;
};

} // namespace zendra
