// The item's registration against watchers that answer late or drop the item, as desktop watchers do
// while their shell is still starting or when their host fails to read the item.
#include "platform/linux/dbus/status_notifier_watcher_client.h"
#include "support/wait_until.h"
#include "test_panel.h"

#include <QDBusConnection>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::StatusNotifierWatcherClient;
using zendra::test::TestPanel;
using zendra::test::waitUntil;
using HostState = StatusNotifierWatcherClient::HostState;

class WatcherClientTest : public testing::Test {
protected:
    void start(StatusNotifierWatcherClient::Timing timing) {
        client.emplace(
            QDBusConnection::sessionBus(), service, [this] { states.push_back(client->hostState()); },
            timing);
    }

    const QString service = QDBusConnection::sessionBus().baseService();
    std::optional<StatusNotifierWatcherClient> client;
    std::vector<HostState> states;
};

TEST_F(WatcherClientTest, AWatcherThatAnswersLateCountsAsShowingNothingUntilItDoes) {
    TestPanel panel(true);
    panel.holdAnswers = true;
    start({.answerDue = 300ms, .retryPause = 50ms, .retries = 3});
    ASSERT_TRUE(waitUntil([&] { return !panel.registeredItems().isEmpty(); }));
    EXPECT_EQ(client->hostState(), HostState::unknown) << "no window flashes up while the answer comes";

    ASSERT_TRUE(waitUntil([&] { return client->hostState() == HostState::unhosted; }, 2s))
        << "an overdue answer lets the item window stand in";
    panel.answerRegistrations();
    ASSERT_TRUE(waitUntil([&] { return client->hostState() == HostState::hosted; }));
    EXPECT_EQ(states, (std::vector{HostState::unknown, HostState::unhosted, HostState::hosted}));
    EXPECT_EQ(client->registrations(), 1);
}

TEST_F(WatcherClientTest, AnItemTheWatcherDropsRegistersAgainAFewTimesThenCountsAsNotShown) {
    std::optional<TestPanel> panel;
    panel.emplace(true);
    start({.answerDue = 5s, .retryPause = 20ms, .retries = 2});
    ASSERT_TRUE(waitUntil([&] { return client->hostState() == HostState::hosted; }));

    panel->dropItem(":1.999", service + "0@/StatusNotifierItem");
    waitUntil([] { return false; }, 100ms);
    EXPECT_EQ(client->registrations(), 1) << "another item's name that merely starts like ours";

    panel->dropItem(service, service + "@/StatusNotifierItem");
    ASSERT_TRUE(waitUntil([&] { return client->registrations() == 2; }));
    EXPECT_TRUE(waitUntil([&] { return client->hostState() == HostState::hosted; }));
    EXPECT_EQ(panel->registeredItems(), QStringList{service});

    panel->dropItem(service, service + "/StatusNotifierItem");
    ASSERT_TRUE(waitUntil([&] { return client->registrations() == 3; }));
    panel->dropItem(service, service);
    EXPECT_TRUE(waitUntil([&] { return client->hostState() == HostState::unhosted; }));
    waitUntil([] { return false; }, 200ms);
    EXPECT_EQ(client->registrations(), 3) << "no endless loop with a watcher that keeps dropping it";

    // A restarted watcher is a fresh start, with its own retries.
    panel.reset();
    panel.emplace(true);
    ASSERT_TRUE(waitUntil([&] { return client->hostState() == HostState::hosted; }));
    EXPECT_EQ(client->registrations(), 4);
}

} // namespace
