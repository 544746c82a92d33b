#include "prefs/observe.h"
#include "prefs/prefs.h"

#include <gtest/gtest.h>

namespace {

using Prefs::ObservationOption;

TEST(ObservationCompositeTest, OneCallPerChangedKeyAcrossSuites) {
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
    EXPECT_EQ(calls, 3);
    Prefs::set(elsewhere, 1.0);
    EXPECT_EQ(calls, 3);
    Prefs::reset(prefix, suffix);
    EXPECT_EQ(calls, 5);

    observation->endObservation();
    observation->endObservation();
    Prefs::set(size, 1.0);
    EXPECT_EQ(calls, 5);
}

TEST(ObservationCompositeTest, InitialCallsOncePerKeyAndReleaseEnds) {
    auto suite = Prefs::Suite::makeInMemory();
    Prefs::Key<int> a("a", 0, suite);
    Prefs::Key<int> b("b", 0, suite);
    int calls = 0;
    auto observation =
        Prefs::observe({a, b}, {ObservationOption::initial, ObservationOption::prior}, [&] { ++calls; });
    EXPECT_EQ(calls, 2) << "one initial change per key, before observe returns";
    Prefs::set(a, 1);
    EXPECT_EQ(calls, 3) << "no prior change next to initial";

    observation.reset();
    Prefs::set(b, 1);
    EXPECT_EQ(calls, 3);
}

} // namespace
