#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <map>

namespace zendra::test {

// A desktop panel for the item to find: an org.kde.StatusNotifierWatcher on a connection of its own
// to the session bus, and the host that reads the items registered with it (properties, signals,
// menu). Every call to an item waits while the event loop runs, so the item may live in this process.
// Like some desktops' watchers, it can hold its answers to registrations back, and drop an item.
class TestPanel final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit TestPanel(bool hostRegistered = true);
    ~TestPanel() override;

    bool isHostRegistered() const { return hostRegistered_; }
    void setHostRegistered(bool registered);
    QStringList registeredItems() const { return items_; }
    int protocolVersion() const { return 0; }

    // The last registered item's property (custom types arrive as QDBusArgument), or an invalid
    // variant when the call failed.
    QVariant itemProperty(const QString& name);
    QDBusMessage callItem(const QString& method, const QVariantList& arguments);
    QDBusMessage callMenu(const QString& method, const QVariantList& arguments);

    // Reads the menu's rows into menuRows, which then follows ItemsPropertiesUpdated as a host's
    // cache of the rows does.
    void cacheMenu();
    std::map<int, QVariantMap> menuRows;

    // While set, registrations are taken but not answered until answerRegistrations().
    bool holdAnswers = false;
    void answerRegistrations();
    // Forgets the item registered as `service` and announces `entry` (a watcher's name for it), as a
    // watcher does when its host gives up on an item.
    void dropItem(const QString& service, const QString& entry);

    // What the item told the host since it registered.
    QStringList labels;
    int newToolTips = 0;
    int newIcons = 0;

public slots:
    void RegisterStatusNotifierItem(const QString& service);
    void RegisterStatusNotifierHost(const QString& service);

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

private slots:
    void newLabel(const QString& label, const QString& guide);
    void newToolTip() { ++newToolTips; }
    void newIcon() { ++newIcons; }
    void itemsPropertiesUpdated(const QDBusMessage& message);

private:
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments);

    QString connectionName_;
    QDBusConnection connection_;
    bool hostRegistered_;
    QStringList items_;
    QList<QDBusMessage> heldRegistrations_;
};

} // namespace zendra::test
