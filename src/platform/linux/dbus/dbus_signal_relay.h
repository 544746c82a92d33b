#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <functional>

namespace zendra {

// A receiver for D-Bus signals that hands each message to a function: QDBusConnection::connect takes
// only slots. Also a context for the replies of asynchronous calls.
class DBusSignalRelay final : public QObject {
    Q_OBJECT
public:
    explicit DBusSignalRelay(std::function<void(const QDBusMessage&)> deliver);

    bool listen(QDBusConnection& bus, const QString& service, const QString& path, const QString& interface,
                const QString& name);
    void stopListening(QDBusConnection& bus, const QString& service, const QString& path,
                       const QString& interface, const QString& name);

private slots:
    void deliver(const QDBusMessage& message);

private:
    std::function<void(const QDBusMessage&)> deliver_;
};

} // namespace zendra
