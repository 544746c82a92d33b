#include "base/async_stream.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

using zendra::AsyncStream;
using Stream = AsyncStream<int>;

// A stream whose producer side the test keeps, counting how often its termination action runs.
struct Fed {
    std::optional<Stream::Continuation> producer;
    int terminations = 0;
    Stream stream{[this](Stream::Continuation continuation) {
        continuation.setOnTermination([this] { ++terminations; });
        producer = continuation;
    }};
};

void runPostedEvents() {
    QCoreApplication::sendPostedEvents();
}

TEST(AsyncStreamTest, BuffersWithoutBoundInOrderUntilFinishedAndDrained) {
    Fed fed;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(fed.producer->yield(i));
    }
    EXPECT_EQ(fed.stream.next(), 0);
    fed.producer->finish();
    EXPECT_FALSE(fed.producer->yield(5000)) << "nothing enters a finished stream";
    EXPECT_FALSE(fed.stream.isFinished()) << "buffered elements are still to be read";
    for (int i = 1; i < 1000; ++i) {
        ASSERT_EQ(fed.stream.next(), i);
    }
    EXPECT_EQ(fed.stream.next(), std::nullopt);
    EXPECT_TRUE(fed.stream.isFinished());
    EXPECT_EQ(fed.terminations, 1);
}

TEST(AsyncStreamTest, CancelDropsWhatIsBufferedAndTerminationRunsOnceWhicheverSideEnds) {
    Fed fed;
    fed.producer->yield(1);
    fed.producer->yield(2);
    fed.stream.cancel();
    EXPECT_EQ(fed.stream.tryNext(), std::nullopt);
    EXPECT_EQ(fed.stream.next(), std::nullopt) << "next() does not wait on a cancelled stream";
    EXPECT_FALSE(fed.producer->yield(3));
    fed.stream.cancel();
    fed.producer->finish();
    EXPECT_EQ(fed.terminations, 1);

    int terminations = 0;
    std::optional<Stream::Continuation> producer;
    {
        Stream dropped([&](Stream::Continuation continuation) {
            continuation.setOnTermination([&] { ++terminations; });
            producer = continuation;
        });
    }
    EXPECT_EQ(terminations, 1) << "dropping the stream terminates it";
    EXPECT_FALSE(producer->yield(1));
    int late = 0;
    producer->setOnTermination([&] { ++late; });
    EXPECT_EQ(late, 1) << "an action set on a terminated stream runs at once";

    Fed moved;
    Stream target = std::move(moved.stream);
    EXPECT_EQ(moved.terminations, 0) << "moving hands over the stream without ending it";
    ASSERT_TRUE(moved.producer->yield(7));
    EXPECT_EQ(target.tryNext(), 7);
}

TEST(AsyncStreamTest, NextWaitsForAnotherThreadsYield) {
    Fed fed;
    std::thread producer([&] {
        for (int i = 0; i < 100; ++i) {
            fed.producer->yield(i);
        }
        fed.producer->finish();
    });
    std::vector<int> received;
    while (auto value = fed.stream.next()) {
        received.push_back(*value);
    }
    producer.join();
    ASSERT_EQ(received.size(), 100u);
    EXPECT_EQ(received.front(), 0);
    EXPECT_EQ(received.back(), 99);
}

TEST(AsyncStreamTest, ForEachDeliversOnTheContextsThreadWithOneHandlerState) {
    Fed fed;
    QObject context;
    fed.producer->yield(1); // buffered before iteration starts
    std::vector<int> received;
    fed.stream.forEach(&context, [&, calls = 0](const int& value) mutable {
        received.push_back(value);
        EXPECT_EQ(++calls, value) << "in order, and the handler keeps its state across deliveries";
        EXPECT_EQ(QThread::currentThread(), context.thread());
        return true;
    });
    EXPECT_TRUE(received.empty()) << "never from inside forEach";
    runPostedEvents();
    EXPECT_EQ(received, std::vector<int>{1});

    std::thread producer([&] {
        for (int i = 2; i <= 50; ++i) {
            fed.producer->yield(i);
        }
    });
    producer.join();
    runPostedEvents();
    EXPECT_EQ(received.size(), 50u);
    EXPECT_EQ(fed.terminations, 0);
}

TEST(AsyncStreamTest, ForEachStopsWhenTheHandlerDeclinesOrTheContextGoes) {
    Fed declined;
    QObject context;
    std::vector<int> received;
    declined.stream.forEach(&context, [&](const int& value) {
        received.push_back(value);
        return value < 2;
    });
    for (int i = 1; i <= 4; ++i) {
        declined.producer->yield(i);
    }
    runPostedEvents();
    EXPECT_EQ(received, (std::vector<int>{1, 2}));
    EXPECT_EQ(declined.terminations, 1) << "declining terminates the stream";
    EXPECT_FALSE(declined.producer->yield(5));

    Fed orphaned;
    int calls = 0;
    auto owner = std::make_unique<QObject>();
    orphaned.stream.forEach(owner.get(), [&](const int&) {
        ++calls;
        return true;
    });
    orphaned.producer->yield(1); // queued for the context, then dropped with it
    owner.reset();
    orphaned.producer->yield(2);
    runPostedEvents();
    EXPECT_EQ(calls, 0);
}

} // namespace
