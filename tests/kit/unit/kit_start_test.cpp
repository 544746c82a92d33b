#include "kit/fakes/fake_kit_platform.h"
#include "kit/kit.h"
#include "prefs/prefs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using namespace KZApp;
using zendra::test::FakeKeyboardModifiers;

void runMainQueue() {
    QCoreApplication::sendPostedEvents();
}

struct KitStartTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    std::shared_ptr<FakeKeyboardModifiers> keyboard = std::make_shared<FakeKeyboardModifiers>();
    QDateTime clock = QDateTime(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC);
    int debugWindows = 0, resetPrompts = 0, settingsOpened = 0;

    KZKit::Environment environment() {
        KZKit::Environment env;
        env.suite = suite;
        env.modifiers = keyboard;
        env.now = [this] { return clock; };
        env.hooks.openDebugWindow = [this] { ++debugWindows; };
        env.hooks.runDataResetPrompt = [this] { ++resetPrompts; };
        env.hooks.openSettings = [this] { ++settingsOpened; };
        return env;
    }

    // One launch: the kit is created and the main queue runs its queued steps.
    std::unique_ptr<KZKit> launch() {
        auto kit = std::make_unique<KZKit>(environment());
        runMainQueue();
        return kit;
    }
};

TEST_F(KitStartTest, LaunchesCountUpAndKeepTheFirstDateAndTheLiveKitIsShared) {
    const QDateTime first = clock;
    clock = clock.addMSecs(250); // the stored date has whole seconds, as the preferences file keeps it
    for (int expected = 1; expected <= 10; ++expected) {
        auto kit = launch();
        EXPECT_EQ(kit->launchCount(), expected);
        EXPECT_EQ(kit->isFirstLaunch(), expected == 1);
        EXPECT_EQ(kit->isSecondLaunch(), expected == 2);
        EXPECT_EQ(kit->firstLaunchDate(), first);
        EXPECT_EQ(kit->launchTime(), clock);
        clock = clock.addDays(1);
    }
    EXPECT_EQ(suite->object("KZ_launchCount"), Prefs::StoredObject(10));
    EXPECT_EQ(suite->object("KZ_firstLaunchDate"), Prefs::StoredObject(first));
    EXPECT_EQ(suite->object("NSApplicationCrashOnExceptions"), Prefs::StoredObject(true));
    EXPECT_FALSE(suite->hasPersistentEntry("NSApplicationCrashOnExceptions")) << "registered, never stored";

    auto kit = launch();
    ASSERT_TRUE(KZKit::isStarted());
    EXPECT_EQ(&KZKit::shared(), kit.get());
    kit.reset();
    EXPECT_FALSE(KZKit::isStarted());
}

TEST_F(KitStartTest, UnreadableOrExtremeStoredCountsDoNotBreakCounting) {
    suite->setObject("KZ_launchCount", Prefs::StoredObject(QString("many")));
    EXPECT_EQ(launch()->launchCount(), 1) << "unreadable count reads as the default";

    suite->setObject("KZ_launchCount", Prefs::StoredObject(std::numeric_limits<int>::max()));
    EXPECT_EQ(launch()->launchCount(), std::numeric_limits<int>::max()) << "saturates instead of overflowing";
}

TEST_F(KitStartTest, LaunchChordsIgnoreCapsLockNumericPadAndFunction) {
    const ModifierFlags noise = Modifier::capsLock | Modifier::numericPad | Modifier::function;

    keyboard->flags = debugWindowChord | noise;
    auto debugWindowLaunch = launch();
    EXPECT_EQ(debugWindows, 1);
    EXPECT_EQ(resetPrompts, 0);
    EXPECT_FALSE(debugWindowLaunch->isDebugMode());

    keyboard->flags = dataResetChord | noise;
    auto resetLaunch = launch();
    EXPECT_EQ(resetPrompts, 1);
    EXPECT_EQ(debugWindows, 1) << "four modifiers are not the debug window chord";

    keyboard->flags = debugModeChord | Modifier::capsLock;
    EXPECT_TRUE(launch()->isDebugMode());

    keyboard->flags = debugModeChord | Modifier::help;
    EXPECT_FALSE(launch()->isDebugMode()) << "an extra device-independent modifier breaks the chord";
}

TEST_F(KitStartTest, QueuedStepsRunAfterCreationWithTheKeysHeldThen) {
    auto kit = std::make_unique<KZKit>(environment());
    std::vector<int> order;
    kit->launchCompletions().add([&] { order.push_back(1); });
    kit->launchCompletions().add([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    EXPECT_FALSE(kit->launchCompletions().hasFinishedLaunching()) << "nothing queued runs during creation";

    keyboard->flags = dataResetChord;
    runMainQueue();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(resetPrompts, 1);
    EXPECT_EQ(debugWindows, 0) << "the debug window chord is read at creation only";
    kit->launchCompletions().add([&] { order.push_back(3); });
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3})) << "late additions run at once";

    keyboard->flags = debugWindowChord;
    std::make_unique<KZKit>(environment()).reset();
    runMainQueue();
    EXPECT_EQ(debugWindows, 0) << "steps queued by a destroyed kit do nothing";
}

TEST_F(KitStartTest, SettingsReopenAfterRelaunchOnceAndThroughLateHooks) {
    suite->setObject("KZ_isShowingSettingsAfterRelaunch", Prefs::StoredObject(true));
    auto env = environment();
    env.hooks.openSettings = nullptr;
    auto kit = std::make_unique<KZKit>(env);
    EXPECT_FALSE(suite->hasPersistentEntry("KZ_isShowingSettingsAfterRelaunch")) << "reset before opening";

    kit->hooks().openSettings = [this] { ++settingsOpened; }; // the settings window arrives later
    runMainQueue();
    EXPECT_EQ(settingsOpened, 1);

    kit.reset();
    launch();
    EXPECT_EQ(settingsOpened, 1) << "the next launch does not open it again";
}

} // namespace
