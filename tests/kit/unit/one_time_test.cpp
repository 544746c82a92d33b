#include "kit/fakes/fake_kit_platform.h"
#include "kit/kit.h"
#include "kit/run_once.h"
#include "kit/show_for_app_runs.h"
#include "prefs/prefs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using namespace KZApp;

struct OneTimeTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
};

TEST_F(OneTimeTest, RunOnceIsTrueOnlyTheFirstTimePerIdentifier) {
    EXPECT_TRUE(runOnce("clearTextByShiftClickTip", *suite));
    EXPECT_FALSE(runOnce("clearTextByShiftClickTip", *suite));
    EXPECT_TRUE(runOnce("other", *suite)) << "identifiers are independent";
    EXPECT_EQ(suite->object("KZ_App_runOnce__clearTextByShiftClickTip"), Prefs::StoredObject(true));

    // A flag stored in another readable form still counts as done; one removed by a reset does not.
    suite->setObject("KZ_App_runOnce__text", Prefs::StoredObject(QString("YES")));
    EXPECT_FALSE(runOnce("text", *suite));
    suite->setObject("KZ_App_runOnce__zero", Prefs::StoredObject(0));
    EXPECT_TRUE(runOnce("zero", *suite));
    suite->removeAll();
    EXPECT_TRUE(runOnce("clearTextByShiftClickTip", *suite));
}

TEST_F(OneTimeTest, BoolForKeyReadsTheStoresForms) {
    const std::pair<Prefs::StoredObject, bool> cases[] = {
        {Prefs::StoredObject(true), true},
        {Prefs::StoredObject(2), true},
        {Prefs::StoredObject(0.0), false},
        {Prefs::StoredObject(QString("true")), true},
        {Prefs::StoredObject(QString(" 7 ")), true},
        {Prefs::StoredObject(QString("no")), false},
        {Prefs::StoredObject(QByteArray("1")), false},
    };
    for (const auto& [object, expected] : cases) {
        suite->setObject("flag", object);
        EXPECT_EQ(boolForKey(*suite, "flag"), expected) << object.debugDescription().toStdString();
    }
    EXPECT_FALSE(boolForKey(*suite, "absent"));
}

// Each launch is a fresh process: new per-process bookkeeping over the same stored counts.
TEST_F(OneTimeTest, ShowForAppRunsShowsInItsWindowOfLaunches) {
    std::vector<int> shownOn;
    for (int launch = 1; launch <= 7; ++launch) {
        AppRuns process(suite);
        ShowForAppRuns first(process, 3, "tip", 2);
        ShowForAppRuns again(process, 3, "tip", 2); // created twice in the same launch
        EXPECT_EQ(first.runCount(), launch);
        EXPECT_EQ(again.runCount(), launch) << "a launch counts once";
        EXPECT_EQ(first.isShown(), again.isShown());
        if (first.isShown()) {
            shownOn.push_back(launch);
        }
    }
    EXPECT_EQ(shownOn, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(suite->object("KZ_ShowForAppRuns_tip"), Prefs::StoredObject(7));

    AppRuns process(suite);
    EXPECT_TRUE(ShowForAppRuns(process, std::numeric_limits<int>::max(), "huge", 1).isShown())
        << "the end of the window must not overflow";
    EXPECT_FALSE(ShowForAppRuns(process, 0, "none", 1).isShown());
}

TEST_F(OneTimeTest, ShowForAppRunsOncePerRunHidesLaterAppearances) {
    AppRuns process(suite);
    ShowForAppRuns once(process, 1, "editWindowCloseTip", 1, true);
    ASSERT_TRUE(once.isShown());
    once.contentDidAppear();
    EXPECT_TRUE(once.isShown()) << "the first appearance shows";

    ShowForAppRuns reopened(process, 1, "editWindowCloseTip", 1, true);
    EXPECT_TRUE(reopened.isShown());
    reopened.contentDidAppear();
    EXPECT_FALSE(reopened.isShown()) << "a later appearance in the same run hides";

    ShowForAppRuns always(process, 1, "closeTip", 1, false);
    always.contentDidAppear();
    ShowForAppRuns alwaysAgain(process, 1, "closeTip", 1, false);
    alwaysAgain.contentDidAppear();
    EXPECT_TRUE(alwaysAgain.isShown()) << "without once-per-run every appearance shows";
}

struct ReviewTest : OneTimeTest {
    std::shared_ptr<zendra::test::FakeReviewPrompt> prompt =
        std::make_shared<zendra::test::FakeReviewPrompt>();

    std::unique_ptr<KZKit> launch() {
        KZKit::Environment env;
        env.suite = suite;
        env.reviewPrompt = prompt;
        auto kit = std::make_unique<KZKit>(env);
        QCoreApplication::sendPostedEvents();
        return kit;
    }
};

TEST_F(ReviewTest, OncePerLaunchThePromptComesOnTheEighthLaunchAndEveryOpportunityCounts) {
    std::vector<int> promptedOn;
    for (int launchNumber = 1; launchNumber <= 12; ++launchNumber) {
        auto kit = launch();
        if (kit->requestReview(reviewRequestCounts)) {
            promptedOn.push_back(launchNumber);
        }
    }
    EXPECT_EQ(promptedOn, (std::vector<int>{8}));
    EXPECT_EQ(prompt->requests, 1);
    EXPECT_EQ(suite->object("KZApp_requestReview"), Prefs::StoredObject(10))
        << "launches 1 and 2 count nothing";

    auto kit = launch();
    EXPECT_FALSE(kit->requestReview({12}));
    EXPECT_TRUE(kit->requestReview({12})) << "the second opportunity of the same launch";
    EXPECT_FALSE(kit->requestReview({}));
    EXPECT_EQ(prompt->requests, 2);
}

} // namespace
