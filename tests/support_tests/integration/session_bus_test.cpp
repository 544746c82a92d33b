#include "support/process_table.h"
#include "support/session_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <gtest/gtest.h>

namespace zendra::test {
namespace {

const QString testName = QStringLiteral("org.zendra.SupportTest");

// A fresh name on `connection`, as an application would claim it (no queueing, no replacement).
bool claim(const QDBusConnection& connection, const QString& name) {
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        connection.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                                QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

// The executable-wide bus of the integration main is the session bus, and it is private: a name that
// the developer's own session could already hold is free here.
TEST(SessionBusTest, ApplicationRegistersANameOnThePrivateSessionBus) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected()) << bus.lastError().message().toStdString();
    EXPECT_TRUE(qgetenv("DBUS_SESSION_BUS_ADDRESS").startsWith("unix:path=/"));

    ASSERT_TRUE(claim(bus, testName));
    EXPECT_TRUE(bus.interface()->isServiceRegistered(testName).value());

    QDBusConnection other =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("other"));
    EXPECT_FALSE(claim(other, testName)) << "a held name is not handed to a second client";
    QDBusConnection::disconnectFromBus(QStringLiteral("other"));

    EXPECT_TRUE(bus.unregisterService(testName));
}

TEST(SessionBusTest, APerTestBusIsSeparateAndEndsWithItsOwner) {
    const QByteArray outerAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    pid_t pid = 0;
    {
        SessionBus bus;
        pid = bus.pid();
        EXPECT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), bus.address().toUtf8());
        EXPECT_NE(bus.address().toUtf8(), outerAddress);

        QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), QStringLiteral("private"));
        ASSERT_TRUE(connection.isConnected()) << connection.lastError().message().toStdString();
        ASSERT_TRUE(claim(connection, testName));
        EXPECT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(testName).value());
        QDBusConnection::disconnectFromBus(QStringLiteral("private"));
    }
    EXPECT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), outerAddress);
    EXPECT_FALSE(isAlive(pid));
}

} // namespace
} // namespace zendra::test
