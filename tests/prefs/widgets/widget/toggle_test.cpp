#include "prefs/observe.h"
#include "prefs/prefs.h"
#include "prefs/widget/event_loop.h"
#include "prefs/widgets/toggle.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace zendra;

namespace {

using zendra::test::runQueuedEvents;

struct ToggleTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<bool> key{"legibleLinks", false, suite};
    int writes = 0;
    std::shared_ptr<Prefs::UserDefaultsKeyObservation> writesObservation =
        Prefs::observe(key, {}, [this](const Prefs::KeyChange<bool>&) { ++writes; });
    std::vector<bool> reported;
};

TEST_F(ToggleTest, ClickingWritesTheKeyAndReportsTheChange) {
    Prefs::Toggle toggle("Legible links", key);
    toggle.onChange([&](bool on) { reported.push_back(on); });
    toggle.show();
    runQueuedEvents();
    EXPECT_TRUE(reported.empty()) << "the initial state is not a change";

    QTest::keyClick(toggle.checkBox(), Qt::Key_Space);
    EXPECT_TRUE(Prefs::get(key));
    EXPECT_EQ(writes, 1);
    runQueuedEvents();
    QTest::mouseClick(toggle.checkBox(), Qt::LeftButton, {}, toggle.checkBox()->rect().center());
    EXPECT_FALSE(Prefs::get(key));
    runQueuedEvents();
    EXPECT_EQ(reported, (std::vector<bool>{true, false}));
    EXPECT_EQ(writes, 2);
}

TEST_F(ToggleTest, ExternalWritesMoveTheBoxWithoutWritingBack) {
    Prefs::set(key, true);
    Prefs::Toggle toggle(key, new QLabel("Show links legibly"));
    EXPECT_TRUE(toggle.checkBox()->isChecked()) << "shows the stored state at once";
    toggle.onChange([&](bool on) { reported.push_back(on); });
    runQueuedEvents();
    writes = 0;

    std::thread([&] { Prefs::set(key, false); }).join();
    runQueuedEvents();
    EXPECT_FALSE(toggle.checkBox()->isChecked());
    EXPECT_EQ(writes, 1) << "only the external write";
    EXPECT_EQ(reported, (std::vector<bool>{false}));

    Prefs::set(key, false); // same value: the box stays, no change reported
    key.reset();            // back to the registered default, also false
    runQueuedEvents();
    EXPECT_EQ(reported, (std::vector<bool>{false}));
    EXPECT_EQ(writes, 3);
}

} // namespace
