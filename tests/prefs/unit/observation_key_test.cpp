#include "prefs/observe.h"
#include "prefs/prefs.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Prefs::KeyChange;
using Prefs::ObservationOption;
using Prefs::StoredObject;

struct ObservationKeyTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<QString> text{"text", "default", suite};
    std::vector<KeyChange<QString>> changes;

    auto recorder() {
        return [this](const KeyChange<QString>& change) { changes.push_back(change); };
    }
};

TEST_F(ObservationKeyTest, InitialChangeArrivesBeforeObserveReturnsWithTheDefaultAsOldValue) {
    Prefs::set(text, QString("current"));
    auto observation = Prefs::observe(text, {ObservationOption::initial}, recorder());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].newValue, "current");
    EXPECT_EQ(changes[0].oldValue, "default");
    EXPECT_FALSE(changes[0].isPrior);

    Prefs::set(text, QString("next"));
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].oldValue, "current");
    EXPECT_EQ(changes[1].newValue, "next");
}

TEST_F(ObservationKeyTest, InitialAndPriorTogetherGiveOnlyTheInitialChange) {
    auto observation =
        Prefs::observe(text, {ObservationOption::initial, ObservationOption::prior}, recorder());
    Prefs::set(text, QString("a"));
    Prefs::set(text, QString("b"));
    ASSERT_EQ(changes.size(), 3u);
    for (const auto& change : changes) {
        EXPECT_FALSE(change.isPrior);
    }
    EXPECT_EQ(changes[2].newValue, "b");
}

TEST_F(ObservationKeyTest, AbsentAndUnreadableObjectsReadAsTheDefault) {
    auto observation = Prefs::observe(text, {}, recorder());
    Prefs::set(text, QString("written"));
    text.reset();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].oldValue, "written");
    EXPECT_EQ(changes[1].newValue, "default") << "reset reveals the registered default";

    Prefs::Key<double> size("size", 13.0, suite);
    std::vector<KeyChange<double>> sizes;
    auto sizeObservation =
        Prefs::observe(size, {}, [&](const KeyChange<double>& change) { sizes.push_back(change); });
    suite->setObject("size", StoredObject(QString("abc")));
    suite->setObject("size", StoredObject(QString("2.5")));
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].newValue, 13.0) << "a failed conversion gives the default";
    EXPECT_EQ(sizes[1].newValue, 2.5);
    EXPECT_EQ(sizes[1].oldValue, 13.0);

    Prefs::Key<std::optional<double>> width("width", suite);
    std::vector<KeyChange<std::optional<double>>> widths;
    auto widthObservation = Prefs::observe(width, {ObservationOption::initial},
                                           [&](const auto& change) { widths.push_back(change); });
    Prefs::set(width, std::optional<double>(4.0));
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_EQ(widths[0].newValue, std::nullopt) << "nothing stored, no default registered";
    EXPECT_EQ(widths[1], (KeyChange<std::optional<double>>{1, std::nullopt, false, 4.0, std::nullopt}));
}

TEST_F(ObservationKeyTest, EndingStopsDeliveryAndIsHarmlessTwice) {
    auto observation = Prefs::observe(text, {}, recorder());
    Prefs::set(text, QString("a"));
    observation->endObservation();
    observation->endObservation();
    EXPECT_FALSE(observation->isActive());
    Prefs::set(text, QString("b"));
    EXPECT_EQ(changes.size(), 1u);

    auto released = Prefs::observe(text, {}, recorder());
    released.reset();
    Prefs::set(text, QString("c"));
    EXPECT_EQ(changes.size(), 1u) << "releasing the last handle ends the observation";
}

TEST_F(ObservationKeyTest, HandlerMayEndItsOwnObservation) {
    int calls = 0;
    std::weak_ptr<Prefs::UserDefaultsKeyObservation> weak;
    auto observation = Prefs::observe(text, {}, [&](const KeyChange<QString>&) {
        ++calls;
        if (auto alive = weak.lock()) {
            alive->endObservation();
        }
    });
    weak = observation;
    Prefs::set(text, QString("a"));
    Prefs::set(text, QString("b"));
    EXPECT_EQ(calls, 1);

    // Ending before the registration is even complete leaves nothing registered.
    std::shared_ptr<Prefs::UserDefaultsKeyObservation> early;
    int earlyCalls = 0;
    early = Prefs::UserDefaultsKeyObservation::make(suite, "text", [&](const Prefs::BaseChange&) {
        ++earlyCalls;
        early->endObservation();
    });
    early->start({ObservationOption::initial});
    Prefs::set(text, QString("c"));
    EXPECT_EQ(earlyCalls, 1);
    EXPECT_FALSE(early->isActive());
}

TEST_F(ObservationKeyTest, ObservationOutlivingItsSuiteIsHarmless) {
    auto scratch = Prefs::Suite::makeInMemory();
    std::shared_ptr<Prefs::UserDefaultsKeyObservation> observation;
    {
        Prefs::Key<bool> flag("flag", false, scratch);
        observation = Prefs::observe(flag, {}, [](const KeyChange<bool>&) {});
    }
    scratch.reset(); // the observation holds the suite weakly: it goes now
    observation->endObservation();

    auto gone = Prefs::UserDefaultsKeyObservation::make(nullptr, "flag", [](const Prefs::BaseChange&) {});
    gone->start({ObservationOption::initial});
    EXPECT_FALSE(gone->isActive()) << "no suite, nothing registered";
}

} // namespace
