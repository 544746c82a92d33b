#pragma once

// Follows the running instance's text on the session bus for `watch`: the Text property's changes as
// they are announced, and the instance starting and ending.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace zendra {

class InstanceTextFollower final : public QObject {
    Q_OBJECT

public:
    // `changed` gets the instance's text, at first and then on each change, or none when no instance
    // runs (then, and whenever it ends). It is called on the main thread, in the order of the changes.
    InstanceTextFollower(QDBusConnection bus, std::function<void(std::optional<QString>)> changed);

    // Subscribes, then asks for the current text. False without a usable bus.
    bool start();

private slots:
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated, const QDBusMessage& message);
    void ownerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

private:
    void askForText();

    QDBusConnection bus_;
    std::function<void(std::optional<QString>)> changed_;
    // The instance whose text is followed; empty while none runs.
    QString owner_;
    // Counts the requests for the text, so that only the latest answer is used.
    unsigned questions_ = 0;
};

} // namespace zendra
