// The visibility check after launch waits for the panel host's answer before it looks at the item.
#include "kit/visibility_check.h"
#include "support/wait_until.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using namespace zendra::KZApp;
using zendra::test::waitUntil;

struct VisibilityWaitTest : testing::Test {
    // The check as launch starts it: 20 ms after launch, giving the host 400 ms to answer.
    void start() {
        VisibilityCheck check;
        check.suite = zendra::Prefs::Suite::makeInMemory();
        check.presence = [this] { return ItemPresence{true, true, onScreen, awaitingHost}; };
        check.showAlert = [this](const VisibilityAlert&) {
            alertAfter = clock.elapsed();
            ++alerts;
            return VisibilityAlertResponse{};
        };
        clock.start();
        ensureVisibility(std::move(check), std::nullopt, 20ms, 400ms);
    }

    bool onScreen = false;
    bool awaitingHost = true;
    int alerts = 0;
    qint64 alertAfter = -1;
    QElapsedTimer clock;
};

TEST_F(VisibilityWaitTest, AnItemTheHostShowsLateRaisesNoAlert) {
    start();
    waitUntil([] { return false; }, 150ms);
    EXPECT_EQ(alerts, 0) << "not while the host has not answered";
    awaitingHost = false;
    onScreen = true;
    waitUntil([] { return false; }, 500ms);
    EXPECT_EQ(alerts, 0);
}

TEST_F(VisibilityWaitTest, TheAlertComesOnceTheHostSaidNoOrAfterItsTimeIsUp) {
    start();
    waitUntil([] { return false; }, 100ms);
    awaitingHost = false;
    ASSERT_TRUE(waitUntil([&] { return alerts == 1; }, 1s)) << "the host showed nothing";
    EXPECT_GE(alertAfter, 100 + 20) << "a moment after the answer, for a stand-in window to map";

    alerts = 0;
    awaitingHost = true;
    start();
    ASSERT_TRUE(waitUntil([&] { return alerts == 1; }, 2s)) << "a host that never answers";
    EXPECT_GE(alertAfter, 400);
    waitUntil([] { return false; }, 100ms);
    EXPECT_EQ(alerts, 1);
}

} // namespace
