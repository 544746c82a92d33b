#include "base/cancellable.h"
#include "base/publisher.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

using zendra::Cancellable;
using zendra::Publisher;
using zendra::Subject;

TEST(CancellableTest, RunsItsActionOnceAndMovesTransferIt) {
    int cancelled = 0;
    {
        Cancellable token([&] { ++cancelled; });
        Cancellable moved(std::move(token));
        EXPECT_FALSE(token.isActive()); // NOLINT(bugprone-use-after-move): moved-from state is specified
        EXPECT_TRUE(moved.isActive());
        token.cancel();
        EXPECT_EQ(cancelled, 0) << "a moved-from token cancels nothing";
        moved.cancel();
        moved.cancel();
        EXPECT_EQ(cancelled, 1);
    }
    EXPECT_EQ(cancelled, 1);

    int first = 0;
    int second = 0;
    Cancellable target([&] { ++first; });
    target = Cancellable([&] { ++second; });
    EXPECT_EQ(first, 1) << "assigning over a live token cancels it";
    target = std::move(target);
    EXPECT_EQ(second, 0) << "self-assignment keeps the token";
    target.release();
    EXPECT_FALSE(target.isActive());
    {
        zendra::CancellableSet set;
        set.push_back(Cancellable([&] { ++second; }));
        set.push_back(Cancellable([&] { ++second; }));
    }
    EXPECT_EQ(second, 2) << "the set cancels everything it holds";
}

TEST(PublisherTest, EachSubscriptionRunsTheRecipeAndMapMergeForward) {
    int subscriptions = 0;
    int cancellations = 0;
    Publisher<int> numbers([&](Publisher<int>::Subscriber subscriber) {
        ++subscriptions;
        subscriber(1);
        subscriber(2);
        return Cancellable([&] { ++cancellations; });
    });
    std::vector<int> received;
    {
        auto merged = numbers.map([](int v) { return v * 10; }).merge(Publisher<int>([](auto subscriber) {
            subscriber(5);
            return Cancellable{};
        }));
        auto token = merged.sink([&](const int& v) { received.push_back(v); });
        auto again = numbers.sink([](const int&) {});
        EXPECT_EQ(subscriptions, 2);
    }
    EXPECT_EQ(received, (std::vector<int>{10, 20, 5}));
    EXPECT_EQ(cancellations, 2) << "cancelling a merge cancels both sides";
}

TEST(SubjectTest, SubscribersMayCancelSubscribeAndSendFromInside) {
    Subject<int> subject;
    std::vector<std::string> log;
    std::optional<Cancellable> self;
    std::optional<Cancellable> later;
    std::optional<Cancellable> victim;

    self = subject.sink([&](const int& v) {
        log.push_back("self " + std::to_string(v));
        self->cancel(); // cancels itself while being called
        later = subject.sink([&](const int& w) { log.push_back("later " + std::to_string(w)); });
        victim->cancel(); // cancels a subscriber that has not been called yet in this send
        if (v == 1) {
            subject.send(2); // re-entrant send: no lock held, no deadlock
        }
    });
    victim = subject.sink([&](const int& v) { log.push_back("victim " + std::to_string(v)); });

    subject.send(1);
    EXPECT_EQ(log, (std::vector<std::string>{"self 1", "later 2"}))
        << "a subscriber added during a send sees only later sends; a cancelled one sees nothing";
    EXPECT_EQ(subject.subscriberCount(), 1u);

    subject.send(3);
    EXPECT_EQ(log.back(), "later 3");
    later.reset();
    EXPECT_EQ(subject.subscriberCount(), 0u);
}

} // namespace
