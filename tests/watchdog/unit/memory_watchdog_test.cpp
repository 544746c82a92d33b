#include "watchdog/memory_watchdog.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using zendra::MemoryWatchdog;

class FakeIdleTime final : public zendra::IdleTimeSource {
public:
    std::optional<std::chrono::milliseconds> sinceLastInput() override {
        ++queries;
        return idle;
    }
    std::optional<std::chrono::milliseconds> idle = 1200s;
    int queries = 0;
};

class FakeFootprint final : public zendra::MemoryFootprint {
public:
    std::uint64_t bytes() override { return value; }
    std::uint64_t value = 200'000'000;
};

// Every condition holds by default: six hours up, twenty minutes idle, no edit window on screen and
// exactly the footprint limit. Each test breaks one.
class MemoryWatchdogTest : public testing::Test {
protected:
    MemoryWatchdog make() {
        return MemoryWatchdog({[this] { return now; }, launch, &idle, &footprint,
                               [this] { return editWindowVisible; },
                               [this] {
                                   ++relaunches;
                                   return relaunchStarts;
                               }});
    }

    const QDateTime launch = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
    QDateTime now = launch.addSecs(21600);
    FakeIdleTime idle;
    FakeFootprint footprint;
    bool editWindowVisible = false;
    bool relaunchStarts = true;
    int relaunches = 0;
};

TEST_F(MemoryWatchdogTest, RelaunchesOnceWhenEveryConditionHolds) {
    auto watchdog = make();
    watchdog.start();
    EXPECT_TRUE(watchdog.isRunning());
    watchdog.tick();
    EXPECT_EQ(relaunches, 1);
    EXPECT_FALSE(watchdog.isRunning()) << "the new instance takes over";
}

TEST_F(MemoryWatchdogTest, EachFailingConditionAlonePreventsTheRelaunch) {
    const auto expectNoRelaunch = [this](const char* why) {
        auto watchdog = make();
        watchdog.tick();
        EXPECT_EQ(relaunches, 0) << why;
    };
    now = launch.addSecs(21599);
    expectNoRelaunch("one second short of six hours");
    now = launch.addSecs(21600);

    idle.idle = 1199s;
    expectNoRelaunch("input within twenty minutes");
    idle.idle = std::nullopt;
    expectNoRelaunch("idle time unknown");
    idle.idle = 1200s;

    editWindowVisible = true;
    expectNoRelaunch("the edit window is on screen");
    editWindowVisible = false;

    footprint.value = 199'999'999;
    expectNoRelaunch("below 200,000,000 bytes (decimal)");
    footprint.value = 0;
    expectNoRelaunch("unreadable footprint");
}

TEST_F(MemoryWatchdogTest, ChecksStopAtTheFirstFailureAndAFailedRelaunchRetries) {
    now = launch.addSecs(60);
    auto early = make();
    early.tick();
    EXPECT_EQ(idle.queries, 0) << "uptime fails first, so the idle time is not asked for";

    now = launch.addSecs(30000);
    relaunchStarts = false;
    auto watchdog = make();
    watchdog.start();
    watchdog.tick();
    EXPECT_TRUE(watchdog.isRunning()) << "this instance goes on when the new one could not start";
    watchdog.tick();
    EXPECT_EQ(relaunches, 2);
}

TEST_F(MemoryWatchdogTest, MissingServicesNeverRelaunch) {
    MemoryWatchdog watchdog({[this] { return now; },
                             launch,
                             nullptr,
                             nullptr,
                             {},
                             [this] {
                                 ++relaunches;
                                 return true;
                             }});
    watchdog.tick();
    EXPECT_EQ(relaunches, 0);
}

} // namespace
