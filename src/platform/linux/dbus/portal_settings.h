#pragma once

// The desktop portal's Settings interface: the values of chosen keys, read without blocking and followed
// as the desktop changes them.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace zendra {

class PortalSettings final : public QObject {
    Q_OBJECT
public:
    struct Setting {
        QString group; // the portal's namespace, e.g. "org.freedesktop.appearance"
        QString key;
    };
    // A value arrived, or none when the portal could not give it (no portal, or an unknown key).
    using Handler = std::function<void(const Setting& setting, const std::optional<QVariant>& value)>;

    // Asks for each setting now; the handler gets the answers and every later change of them, on the
    // main thread. Without a bus connection nothing ever arrives.
    PortalSettings(QDBusConnection bus, std::vector<Setting> settings, Handler handler,
                   QObject* parent = nullptr);

private slots:
    void settingChanged(const QDBusMessage& message);

private:
    void read(const Setting& setting);
    bool isFollowed(const Setting& setting) const;

    QDBusConnection bus_;
    std::vector<Setting> settings_;
    Handler handler_;
};

} // namespace zendra
