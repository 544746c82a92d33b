#include "support/child_process.h"
#include "support/process_table.h"
#include "support/session_bus.h"
#include "support/wait_until.h"
#include "support/xvfb_server.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace zendra::test {
namespace {

using namespace std::chrono_literals;

int serverChildren() {
    int count = 0;
    for (const ProcessEntry& child : childrenOf(getpid())) {
        count += child.name == QStringLiteral("Xvfb") || child.name == QStringLiteral("dbus-daemon");
    }
    return count;
}

TEST(LeftoverProcessTest, DestroyedFixturesLeaveNoServerChild) {
    const int before = serverChildren(); // the executable-wide pair of the integration main
    {
        const XvfbServer display;
        const SessionBus bus;
        EXPECT_EQ(serverChildren(), before + 2);
    }
    EXPECT_EQ(serverChildren(), before);
}

TEST(LeftoverProcessTest, ServersDieWithATestProcessKilledBySigkill) {
    ChildProcess holder(QStringLiteral(ZENDRA_FIXTURE_HOLDER));
    ASSERT_TRUE(
        waitUntil([&] { return holder.standardOutput().endsWith('\n') || !holder.isRunning(); }, 60s));
    ASSERT_TRUE(holder.isRunning()) << holder.standardError().toStdString();
    const QList<QByteArray> pids = holder.standardOutput().trimmed().split(' ');
    ASSERT_EQ(pids.size(), 2);
    const pid_t display = pids[0].toInt();
    const pid_t bus = pids[1].toInt();
    ASSERT_TRUE(isAlive(display));
    ASSERT_TRUE(isAlive(bus));

    // Only the holder itself: its servers lead groups of their own, so this is no group kill.
    ASSERT_TRUE(holder.sendSignal(SIGKILL));
    ASSERT_TRUE(holder.waitForExit(10s));
    EXPECT_TRUE(waitUntil([&] { return !isAlive(display); }, 10s)) << "Xvfb outlived its test process";
    EXPECT_TRUE(waitUntil([&] { return !isAlive(bus); }, 10s)) << "dbus-daemon outlived its test process";
}

} // namespace
} // namespace zendra::test
