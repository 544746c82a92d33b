#include "prefs/observe.h"
#include "prefs/prefs.h"
#include "prefs/without_propagation.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

using namespace zendra;

namespace {

struct ObservationPropagationTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<int> count{"count", 0, suite};
    Prefs::Key<bool> flag{"flag", false, suite};
    int single = 0;
    int multi = 0;
    std::shared_ptr<Prefs::UserDefaultsKeyObservation> singleObservation =
        Prefs::observe(count, {}, [this](const Prefs::KeyChange<int>&) { ++single; });
    std::shared_ptr<Prefs::CompositeUserDefaultsKeyObservation> multiObservation =
        Prefs::observe({count, flag}, {}, [this] { ++multi; });
};

TEST_F(ObservationPropagationTest, WritesInsideReachNoObservationAndTheFlagEndsWithTheInnerAction) {
    Prefs::withoutPropagation([&] {
        Prefs::set(count, 1);
        Prefs::set(flag, true);
    });
    EXPECT_EQ(single, 0);
    EXPECT_EQ(multi, 0);
    EXPECT_EQ(Prefs::get(count), 1) << "the write itself happens";

    Prefs::set(count, 1);
    EXPECT_EQ(single, 1);
    EXPECT_EQ(multi, 1);
    EXPECT_FALSE(Prefs::isPropagationSuppressed());

    Prefs::withoutPropagation([&] {
        Prefs::withoutPropagation([&] { Prefs::set(count, 2); });
        EXPECT_FALSE(Prefs::isPropagationSuppressed()) << "a flag, not a counter";
        Prefs::set(count, 3);
    });
    EXPECT_EQ(single, 2);

    EXPECT_EQ(Prefs::withoutPropagation([] { return 42; }), 42);
    EXPECT_THROW(Prefs::withoutPropagation([]() -> int { throw std::runtime_error("boom"); }),
                 std::runtime_error);
    EXPECT_FALSE(Prefs::isPropagationSuppressed()) << "cleared when the action throws";
}

TEST_F(ObservationPropagationTest, OtherThreadsAreUnaffected) {
    Prefs::withoutPropagation([&] {
        std::thread([&] { Prefs::set(count, 5); }).join();
        Prefs::set(count, 6);
    });
    EXPECT_EQ(single, 1) << "only the other thread's write was delivered";
}

} // namespace
