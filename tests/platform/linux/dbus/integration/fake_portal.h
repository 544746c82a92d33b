#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <QVariant>
#include <map>
#include <utility>

namespace zendra::test {

// The desktop portal's settings as a desktop publishes its colour scheme and others, on a connection of
// its own. A setting it does not hold reads as an empty string.
class FakePortal final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    explicit FakePortal(uint colorScheme);
    ~FakePortal() override;

    // Stores the value and tells the listeners, as a desktop does when the user switches.
    void change(uint colorScheme);
    void change(const QString& group, const QString& key, const QVariant& value);
    int reads = 0;

public slots:
    QDBusVariant Read(const QString& group, const QString& key);
    QDBusVariant ReadOne(const QString& group, const QString& key);

signals:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    QDBusConnection connection_;
    std::map<std::pair<QString, QString>, QVariant> values_;
};

} // namespace zendra::test
