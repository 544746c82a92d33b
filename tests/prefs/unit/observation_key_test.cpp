#include "prefs/observe.h"
#include "prefs/prefs.h"

#include <QObject>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace zendra;

namespace {

using Prefs::KeyChange;
using Prefs::ObservationOption;
using Prefs::StoredObject;
using Prefs::UserDefaultsKeyObservation;

struct ObservationKeyTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<QString> text{"text", "default", suite};
    std::vector<KeyChange<QString>> changes;

    std::shared_ptr<UserDefaultsKeyObservation> observeText(Prefs::ObservationOptions options = {}) {
        return Prefs::observe(text, options,
                              [this](const KeyChange<QString>& change) { changes.push_back(change); });
    }
};

TEST_F(ObservationKeyTest, InitialChangeArrivesBeforeObserveReturnsAndPriorIsDroppedNextToIt) {
    Prefs::set(text, QString("current"));
    auto observation = observeText({ObservationOption::initial, ObservationOption::prior});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].newValue, "current");
    EXPECT_EQ(changes[0].oldValue, "default");

    Prefs::set(text, QString("next"));
    ASSERT_EQ(changes.size(), 2u) << "no prior change next to the initial one";
    EXPECT_EQ(changes[1].oldValue, "current");
    EXPECT_EQ(changes[1].newValue, "next");
    for (const auto& change : changes) {
        EXPECT_FALSE(change.isPrior);
    }
}

TEST_F(ObservationKeyTest, AbsentAndUnreadableObjectsReadAsTheDefault) {
    auto observation = observeText();
    Prefs::set(text, QString("written"));
    text.reset();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].oldValue, "written");
    EXPECT_EQ(changes[1].newValue, "default") << "reset reveals the registered default";

    Prefs::Key<std::optional<double>> width("width", suite);
    std::vector<KeyChange<std::optional<double>>> widths;
    auto widthObservation = Prefs::observe(width, {ObservationOption::initial},
                                           [&](const auto& change) { widths.push_back(change); });
    Prefs::set(width, std::optional<double>(4.0));
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_EQ(widths[0].newValue, std::nullopt) << "nothing stored, no default registered";
    EXPECT_EQ(widths[1], (KeyChange<std::optional<double>>{1, std::nullopt, false, 4.0, std::nullopt}));
}

TEST_F(ObservationKeyTest, EndingOrReleasingStopsDeliveryEvenFromInsideTheHandler) {
    auto observation = observeText();
    Prefs::set(text, QString("a"));
    observation->endObservation();
    observation->endObservation();
    EXPECT_FALSE(observation->isActive());
    Prefs::set(text, QString("b"));
    observeText().reset();
    Prefs::set(text, QString("c"));
    EXPECT_EQ(changes.size(), 1u) << "ending twice is harmless; releasing the last handle ends it too";

    int calls = 0;
    std::shared_ptr<UserDefaultsKeyObservation> self;
    self = Prefs::observe(text, {}, [&](const KeyChange<QString>&) {
        ++calls;
        self->endObservation();
    });
    Prefs::set(text, QString("d"));
    Prefs::set(text, QString("e"));
    EXPECT_EQ(calls, 1);

    // Ending before the registration is even complete leaves nothing registered.
    std::shared_ptr<UserDefaultsKeyObservation> early;
    early = UserDefaultsKeyObservation::make(suite, "text", [&](const Prefs::BaseChange&) {
        ++calls;
        early->endObservation();
    });
    early->start({ObservationOption::initial});
    Prefs::set(text, QString("f"));
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(early->isActive());

    // An observation may outlive its suite, or start with none.
    auto scratch = Prefs::Suite::makeInMemory();
    auto orphan = Prefs::observe(Prefs::Key<bool>("flag", false, scratch), {}, [](const KeyChange<bool>&) {});
    scratch.reset(); // the observation holds the suite weakly: it goes now
    orphan->endObservation();
    auto gone = UserDefaultsKeyObservation::make(nullptr, "flag", [](const Prefs::BaseChange&) {});
    gone->start({ObservationOption::initial});
    EXPECT_FALSE(gone->isActive()) << "no suite, nothing registered";
}

TEST_F(ObservationKeyTest, BoundObservationLivesAsLongAsItsCurrentOwner) {
    auto owner = std::make_unique<QObject>();
    std::weak_ptr<UserDefaultsKeyObservation> weak = observeText()->bindLifetime(owner.get());
    Prefs::set(text, QString("a"));
    EXPECT_EQ(changes.size(), 1u) << "the owner holds it after the caller dropped its handle";
    owner.reset();
    Prefs::set(text, QString("b"));
    EXPECT_EQ(changes.size(), 1u) << "destroying the owner ends it";
    EXPECT_TRUE(weak.expired()) << "and releases it";

    QObject holder;
    auto unbound = observeText()->bindLifetime(&holder);
    unbound->unbindLifetime();
    EXPECT_TRUE(holder.children().isEmpty());
    weak = unbound;
    unbound.reset();
    EXPECT_TRUE(weak.expired()) << "after unbinding, dropping the last handle ends it";
    observeText()->bindLifetime(&holder)->endObservation();
    EXPECT_TRUE(holder.children().isEmpty()) << "ending cancels the binding";

    auto first = std::make_unique<QObject>();
    auto second = std::make_unique<QObject>();
    auto moved = observeText()->bindLifetime(first.get());
    moved->bindLifetime(second.get());
    moved->bindLifetime(nullptr); // binds nothing, keeps the tie to `second`
    moved.reset();
    first.reset();
    Prefs::set(text, QString("c"));
    EXPECT_EQ(changes.size(), 2u) << "the first owner no longer ends it";
    second.reset();
    Prefs::set(text, QString("d"));
    EXPECT_EQ(changes.size(), 2u);
}

TEST(ObservationCompositeTest, OneCallPerChangedKeyAcrossSuitesUntilEnded) {
    auto first = Prefs::Suite::makeInMemory();
    auto second = Prefs::Suite::makeInMemory();
    Prefs::Key<QString> prefix("prefix", "", first);
    Prefs::Key<QString> suffix("suffix", "", first);
    Prefs::Key<double> size("size", 13.0, second);
    Prefs::Key<double> elsewhere("size", 13.0, first); // same name, other suite: not observed

    int calls = 0;
    auto observation = Prefs::observe({prefix, suffix, size}, {}, [&] { ++calls; });
    Prefs::set(prefix, QString("["));
    Prefs::set(suffix, QString("]"));
    Prefs::set(size, 20.0);
    Prefs::set(elsewhere, 1.0);
    EXPECT_EQ(calls, 3);
    Prefs::reset(prefix, suffix);
    EXPECT_EQ(calls, 5);
    observation->endObservation();
    observation->endObservation();
    Prefs::set(size, 1.0);
    EXPECT_EQ(calls, 5);

    auto initial = Prefs::observe({prefix, size}, {ObservationOption::initial, ObservationOption::prior},
                                  [&] { ++calls; });
    EXPECT_EQ(calls, 7) << "one initial change per key, before observe returns";
    Prefs::set(prefix, QString("<"));
    EXPECT_EQ(calls, 8) << "no prior change next to initial";
    initial.reset();
    Prefs::set(prefix, QString("{"));
    EXPECT_EQ(calls, 8) << "releasing the last handle ends it";

    QObject owner;
    std::weak_ptr<Prefs::CompositeUserDefaultsKeyObservation> bound =
        Prefs::observe({prefix}, {}, [&] { ++calls; })->bindLifetime(&owner);
    Prefs::set(prefix, QString("("));
    EXPECT_EQ(calls, 9) << "a bound composite outlives its handle";
    EXPECT_FALSE(bound.expired());
}

} // namespace
