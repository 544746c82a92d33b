#include "support/process_table.h"
#include "support/scoped_env.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <xcb/xcb.h>

namespace zendra::test {
namespace {

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

Connection connectFromEnvironment() {
    return Connection(xcb_connect(nullptr, nullptr), &xcb_disconnect);
}

TEST(XvfbServerTest, RefusesClientsWithoutItsCookie) {
    XvfbServer server;
    const ScopedEnv noCookie("XAUTHORITY", QByteArray("/dev/null"));
    const Connection connection = connectFromEnvironment();
    EXPECT_NE(xcb_connection_has_error(connection.get()), 0);
}

TEST(XvfbServerTest, DestructionRestoresTheEnvironmentAndEndsTheServer) {
    const QByteArray outerDisplay = qgetenv("DISPLAY");
    const QByteArray outerAuthority = qgetenv("XAUTHORITY");
    pid_t pid = 0;
    pid_t nestedPid = 0;
    {
        XvfbServer server;
        pid = server.pid();
        {
            XvfbServer nested;
            nestedPid = nested.pid();
            EXPECT_NE(nested.displayNumber(), server.displayNumber());
        }
        EXPECT_FALSE(isAlive(nestedPid));
        EXPECT_EQ(qgetenv("DISPLAY"), server.display().toLatin1());
        EXPECT_EQ(qgetenv("XAUTHORITY"), QFile::encodeName(server.authorityFile()));
    }
    EXPECT_EQ(qgetenv("DISPLAY"), outerDisplay);
    EXPECT_EQ(qgetenv("XAUTHORITY"), outerAuthority);
    EXPECT_FALSE(isAlive(pid));
}

} // namespace
} // namespace zendra::test
