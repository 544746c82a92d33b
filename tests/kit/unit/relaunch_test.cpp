#include "kit/fakes/fake_kit_platform.h"
#include "kit/relaunch.h"
#include "prefs/prefs.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

using namespace KZApp;
using zendra::test::FakeProcessControl;

struct RelaunchTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    FakeProcessControl processes;
    const QStringList arguments{"--verbose", "--relaunched-from=77", "file name"};
};

TEST_F(RelaunchTest, StartsTheSameProgramNamingThisProcessThenEnds) {
    bool flagSeenByNewInstance = false;
    int persisted = 0;
    processes.onStart = [&] {
        flagSeenByNewInstance =
            suite->object("KZ_isShowingSettingsAfterRelaunch") == Prefs::StoredObject(true);
        EXPECT_EQ(persisted, 1) << "written out before the new instance starts";
    };
    const auto result = relaunch({.exitImmediately = false, .showSettings = true}, processes, suite,
                                 "/usr/bin/zendra", arguments, [&] { ++persisted; });

    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.newProcessId, 4242);
    EXPECT_EQ(processes.startedProgram, "/usr/bin/zendra");
    EXPECT_EQ(processes.startedArguments, (QStringList{"--verbose", "file name", "--relaunched-from=1234"}));
    EXPECT_TRUE(flagSeenByNewInstance);
    EXPECT_EQ(processes.terminations, 1);
    EXPECT_FALSE(processes.exitStatus);
}

TEST_F(RelaunchTest, ExitImmediatelyExitsWithStatusZero) {
    const auto result = relaunch({.exitImmediately = true}, processes, suite, "/usr/bin/zendra", {});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(processes.exitStatus, 0);
    EXPECT_EQ(processes.terminations, 0);
    EXPECT_FALSE(suite->hasPersistentEntry("KZ_isShowingSettingsAfterRelaunch")) << "no settings asked for";
}

TEST_F(RelaunchTest, AFailedStartKeepsThisInstanceAndWithdrawsTheSettingsFlag) {
    processes.startError = "No such file or directory";
    int persisted = 0;
    const auto result = relaunch({.exitImmediately = true, .showSettings = true}, processes, suite,
                                 "/missing/zendra", {}, [&] { ++persisted; });

    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.error, "No such file or directory");
    EXPECT_EQ(processes.terminations, 0);
    EXPECT_FALSE(processes.exitStatus);
    EXPECT_FALSE(suite->hasPersistentEntry("KZ_isShowingSettingsAfterRelaunch"));
    EXPECT_EQ(persisted, 2) << "the withdrawal is written out too";
}

TEST_F(RelaunchTest, RelaunchedFromNamesOnlyValidProcessIds) {
    EXPECT_EQ(relaunchedFrom({"--relaunched-from=321"}), 321);
    EXPECT_EQ(relaunchedFrom({"--relaunched-from=abc", "--relaunched-from=9"}), 9);
    EXPECT_EQ(relaunchedFrom({"--relaunched-from=", "--relaunched-from=-4", "--relaunched-from=0"}),
              std::nullopt);
    EXPECT_EQ(relaunchedFrom({"relaunched-from=5", "--relaunched-from 5"}), std::nullopt);
    EXPECT_EQ(relaunchedFrom(relaunchArguments({"--relaunched-from=1"}, 55)), 55)
        << "the new argument replaces old";
}

} // namespace
