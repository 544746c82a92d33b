#include "base/notification_center.h"

#include <gtest/gtest.h>

namespace {

using zendra::Notification;
using zendra::NotificationCenter;

TEST(NotificationCenter, DeliversByNameAndSenderUntilCancelled) {
    NotificationCenter center;
    const int sender = 0;
    std::vector<QString> seen;
    auto byName = center.addObserver("a", [&](const Notification& n) { seen.push_back("name:" + n.name); });
    auto bySender =
        center.addObserver("", &sender, [&](const Notification& n) { seen.push_back("sender:" + n.name); });
    auto all = center.addObserver("", [&](const Notification& n) { seen.push_back("all:" + n.name); });

    center.post({"a", nullptr, {}});
    center.post({"b", &sender, {}});
    EXPECT_EQ(seen, (std::vector<QString>{"name:a", "all:a", "sender:b", "all:b"}));

    seen.clear();
    byName.cancel();
    { auto moved = std::move(all); }
    center.post({"a", &sender, {}});
    EXPECT_EQ(seen, std::vector<QString>{"sender:a"});
    EXPECT_EQ(center.observerCount(), 1u);
}

TEST(NotificationCenter, ObserversMayChangeTheCentreWhileBeingCalled) {
    NotificationCenter center;
    zendra::Cancellable second;
    std::vector<zendra::Cancellable> added;
    int firstCalls = 0;
    int secondCalls = 0;
    auto first = center.addObserver("x", [&](const Notification&) {
        ++firstCalls;
        second.cancel(); // cancelled during this delivery: not called
        added.push_back(center.addObserver("x", [](const Notification&) {}));
        center.post({"y", nullptr, {}});
    });
    second = center.addObserver("x", [&](const Notification&) { ++secondCalls; });
    center.post({"x", nullptr, {}});
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 0);
}

TEST(NotificationCenter, UserInfoEntriesAreTyped) {
    Notification notification{"n", nullptr, {{"name", QString("v")}}};
    ASSERT_NE(notification.entry<QString>("name"), nullptr);
    EXPECT_EQ(*notification.entry<QString>("name"), "v");
    EXPECT_EQ(notification.entry<int>("name"), nullptr);
    EXPECT_EQ(notification.entry<QString>("missing"), nullptr);
}

} // namespace
