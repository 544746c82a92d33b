#include "prefs/prefs.h"
#include "prefs/prefs_publisher.h"
#include "prefs/value_stream.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace zendra;

namespace {

using Prefs::KeyChange;
using Prefs::ObservationOption;

struct ObservationPublisherTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<QString> text{"text", "default", suite};
    Prefs::Key<int> count{"count", 0, suite};
};

TEST_F(ObservationPublisherTest, SubscriberSeesTheInitialChangeAndCancelEndsTheObservation) {
    Prefs::set(text, QString("now"));
    auto publisher = Prefs::publisher(text, {ObservationOption::initial});
    std::vector<KeyChange<QString>> changes;
    auto subscription = publisher.sink([&](const KeyChange<QString>& change) { changes.push_back(change); });
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].newValue, "now");
    EXPECT_EQ(changes[0].oldValue, "default");

    std::vector<KeyChange<QString>> other;
    auto second = publisher.sink([&](const KeyChange<QString>& change) { other.push_back(change); });
    Prefs::set(text, QString("later"));
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(other.size(), 2u) << "each subscription runs its own observation";

    subscription.cancel();
    Prefs::set(text, QString("gone"));
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(other.size(), 3u);
}

TEST_F(ObservationPublisherTest, MultiKeyPublisherSendsOneSignalPerChangeOfAnyKey) {
    int sent = 0;
    auto subscription = Prefs::publisher({text, count}, {}).sink([&](const zendra::Signal&) { ++sent; });
    Prefs::set(text, QString("a"));
    Prefs::set(count, 1);
    Prefs::set(count, 2);
    EXPECT_EQ(sent, 3);
    subscription.cancel();
    Prefs::set(count, 3);
    EXPECT_EQ(sent, 3);

    int none = 0;
    auto empty =
        Prefs::publisher(std::vector<Prefs::Keys>{}, {}).sink([&](const zendra::Signal&) { ++none; });
    Prefs::set(count, 4);
    EXPECT_EQ(none, 0);
}

TEST_F(ObservationPublisherTest, ValueStreamYieldsWritesFromOtherThreadsInOrder) {
    Prefs::set(count, -1);
    auto stream = Prefs::valueStream(count, true);
    std::thread writer([&] {
        for (int i = 0; i < 200; ++i) {
            Prefs::set(count, i);
        }
    });
    writer.join();
    EXPECT_EQ(stream.tryNext(), -1) << "the current value comes first";
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(stream.tryNext(), i);
    }
    EXPECT_EQ(stream.tryNext(), std::nullopt);

    auto withoutInitial = Prefs::valueStream(text, false);
    EXPECT_EQ(withoutInitial.tryNext(), std::nullopt);
    text.reset();
    Prefs::set(text, QString("x"));
    EXPECT_EQ(withoutInitial.tryNext(), "x") << "resetting an entry that is not stored is no change";
}

} // namespace
