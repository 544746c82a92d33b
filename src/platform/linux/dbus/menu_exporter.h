#pragma once

// The panel item's menu on the session bus (com.canonical.dbusmenu, version 3), for hosts that draw
// menus themselves. The rows come from a provider and are built afresh whenever a host is about to
// show the menu or asks for its layout, so enabled states are those of that moment; a host is told of
// a new layout revision when the rows changed, and of the rows' changed properties. Choosing a row runs its
// action on the main queue, after the call has been answered. Main thread only.

#include "panel/status_item_menu.h"
#include "platform/linux/dbus/panel_types.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace zendra {

class DBusMenuExporter final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    using MenuProvider = std::function<std::vector<StatusItemMenuEntry>()>;

    explicit DBusMenuExporter(MenuProvider provider, QObject* parent = nullptr);
    ~DBusMenuExporter() override;

    // Puts the menu at `path`; false, with a line on standard error, when the path is taken.
    bool exportOn(QDBusConnection connection, const QString& path);

    // Rebuilds the rows and tells hosts when they changed.
    void refresh();
    uint revision() const { return revision_; }

    // The most ids or events one group call may carry; larger calls get an error.
    static constexpr qsizetype maximumGroupSize = 1024;

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   zendra::panel_dbus::MenuLayoutItem& layout);
    zendra::panel_dbus::MenuItemPropertiesList GetGroupProperties(const QList<int>& ids,
                                                                  const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const zendra::panel_dbus::MenuEventList& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    void ItemsPropertiesUpdated(const zendra::panel_dbus::MenuItemPropertiesList& updatedProps,
                                const zendra::panel_dbus::MenuItemPropertyNamesList& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    // True when the rows differ from the previous build (a new revision then).
    bool rebuild();
    bool isKnown(int id) const { return id >= 0 && id <= int(entries_.size()); }
    QVariantMap propertiesOf(int id) const;
    // Runs the row's action; false for an unknown id.
    bool activate(int id, const QString& eventId);
    void replyUnknownId(int id);
    // True, with an error reply, for a group call over maximumGroupSize.
    bool refuseLargeGroup(qsizetype size);

    MenuProvider provider_;
    std::vector<StatusItemMenuEntry> entries_;
    panel_dbus::MenuLayoutItem layout_;
    QString fingerprint_;
    uint revision_ = 0;
    std::optional<QDBusConnection> exportedOn_;
    QString path_;
};

} // namespace zendra
