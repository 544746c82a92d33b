#include "fake_portal.h"

#include <QDBusConnectionInterface>
#include <stdexcept>

namespace zendra::test {

FakePortal::FakePortal(uint colorScheme)
    : connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-portal"))) {
    values_[{QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme")}] = colorScheme;
    if (!connection_.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                                    QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) ||
        connection_.interface()->registerService(QStringLiteral("org.freedesktop.portal.Desktop")) !=
            QDBusConnectionInterface::ServiceRegistered) {
        throw std::runtime_error("the fake portal cannot own its name");
    }
}

FakePortal::~FakePortal() {
    connection_.interface()->unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
}

void FakePortal::change(uint colorScheme) {
    change(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), colorScheme);
}

void FakePortal::change(const QString& group, const QString& key, const QVariant& value) {
    values_[{group, key}] = value;
    emit SettingChanged(group, key, QDBusVariant(value));
}

QDBusVariant FakePortal::Read(const QString& group, const QString& key) {
    // The older call wraps the value in one more variant.
    return QDBusVariant(QVariant::fromValue(ReadOne(group, key)));
}

QDBusVariant FakePortal::ReadOne(const QString& group, const QString& key) {
    ++reads;
    const auto found = values_.find({group, key});
    return QDBusVariant(found != values_.end() ? found->second : QVariant(QString()));
}

} // namespace zendra::test
