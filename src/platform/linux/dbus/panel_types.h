#pragma once

// The structured D-Bus types of the panel item protocols (org.kde.StatusNotifierItem and
// com.canonical.dbusmenu), with their marshalling. Call registerPanelDBusTypes() before exporting or
// reading any of them.

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <vector>

namespace zendra::panel_dbus {

// One picture of an icon, (iiay): ARGB32 pixels in network byte order, row by row.
struct IconPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using IconPixmapList = QList<IconPixmap>;

// (sa(iiay)ss): icon name, icon pictures, title, description.
struct ToolTip {
    QString iconName;
    IconPixmapList icon;
    QString title;
    QString description;
};

// A menu node with its properties and children, (ia{sv}av); each child is a variant holding a node.
struct MenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    std::vector<MenuLayoutItem> children;
};

// (ia{sv}): an item's properties.
struct MenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using MenuItemPropertiesList = QList<MenuItemProperties>;

// (ias): the names of an item's properties that went back to their defaults.
struct MenuItemPropertyNames {
    int id = 0;
    QStringList names;
};
using MenuItemPropertyNamesList = QList<MenuItemPropertyNames>;

// (isvu): one event of a group: item, event name, data, timestamp.
struct MenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

// A dbusmenu key combination list, aas: each combination is modifier names then the key.
using MenuShortcut = QList<QStringList>;

// The picture as a host expects it; a null image gives an empty pixmap list.
IconPixmapList iconPixmaps(const QImage& image);

void registerPanelDBusTypes();

QDBusArgument& operator<<(QDBusArgument& argument, const IconPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, IconPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const ToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, ToolTip& toolTip);
QDBusArgument& operator<<(QDBusArgument& argument, const MenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, MenuLayoutItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const MenuItemProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, MenuItemProperties& item);
QDBusArgument& operator<<(QDBusArgument& argument, const MenuItemPropertyNames& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, MenuItemPropertyNames& item);
QDBusArgument& operator<<(QDBusArgument& argument, const MenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, MenuEvent& event);

} // namespace zendra::panel_dbus

Q_DECLARE_METATYPE(zendra::panel_dbus::IconPixmap)
Q_DECLARE_METATYPE(zendra::panel_dbus::ToolTip)
Q_DECLARE_METATYPE(zendra::panel_dbus::MenuLayoutItem)
Q_DECLARE_METATYPE(zendra::panel_dbus::MenuItemProperties)
Q_DECLARE_METATYPE(zendra::panel_dbus::MenuItemPropertyNames)
Q_DECLARE_METATYPE(zendra::panel_dbus::MenuEvent)
