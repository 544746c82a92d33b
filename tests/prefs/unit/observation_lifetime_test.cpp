#include "prefs/observe.h"
#include "prefs/prefs.h"

#include <QObject>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct ObservationLifetimeTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<int> count{"count", 0, suite};
    int calls = 0;

    std::shared_ptr<Prefs::UserDefaultsKeyObservation> observeCount() {
        return Prefs::observe(count, {}, [this](const Prefs::KeyChange<int>&) { ++calls; });
    }
};

TEST_F(ObservationLifetimeTest, BoundObservationLivesWithItsOwnerOnly) {
    auto owner = std::make_unique<QObject>();
    std::weak_ptr<Prefs::UserDefaultsKeyObservation> weak = observeCount()->bindLifetime(owner.get());
    Prefs::set(count, 1);
    EXPECT_EQ(calls, 1) << "the owner holds it after the caller dropped its handle";

    owner.reset();
    Prefs::set(count, 2);
    EXPECT_EQ(calls, 1) << "destroying the owner ends it";
    EXPECT_TRUE(weak.expired()) << "and releases it";
}

TEST_F(ObservationLifetimeTest, UnbindAndEndingReleaseTheOwnersHold) {
    QObject owner;
    auto observation = observeCount()->bindLifetime(&owner);
    observation->unbindLifetime();
    EXPECT_TRUE(owner.children().isEmpty());
    std::weak_ptr<Prefs::UserDefaultsKeyObservation> weak = observation;
    observation.reset();
    EXPECT_TRUE(weak.expired()) << "after unbinding, dropping the last handle ends it";
    Prefs::set(count, 1);
    EXPECT_EQ(calls, 0);

    auto ended = observeCount()->bindLifetime(&owner);
    ended->endObservation();
    EXPECT_TRUE(owner.children().isEmpty()) << "ending cancels the binding";
}

TEST_F(ObservationLifetimeTest, RebindingMovesTheTieToTheNewOwner) {
    auto first = std::make_unique<QObject>();
    auto second = std::make_unique<QObject>();
    auto observation = observeCount()->bindLifetime(first.get());
    observation->bindLifetime(second.get());
    observation->bindLifetime(nullptr); // binds nothing, keeps the tie to `second`
    observation.reset();
    first.reset();
    Prefs::set(count, 1);
    EXPECT_EQ(calls, 1) << "the first owner no longer ends it";
    second.reset();
    Prefs::set(count, 2);
    EXPECT_EQ(calls, 1);

    QObject owner;
    std::weak_ptr<Prefs::CompositeUserDefaultsKeyObservation> composite =
        Prefs::observe({count}, {}, [this] { ++calls; })->bindLifetime(&owner);
    Prefs::set(count, 3);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(composite.expired());
}

} // namespace
