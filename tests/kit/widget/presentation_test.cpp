#include "kit/show_for_app_runs.h"
#include "kit/tooltip.h"
#include "prefs/prefs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using namespace KZApp;

struct PresentationTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    QWidget window;
    QLabel* anchor = new QLabel("anchor", &window);

    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(anchor);
        window.resize(200, 100);
    }

    Tooltip::Options options(bool showOnlyOnce, bool closeOnClick = true) {
        Tooltip::Options o;
        o.identifier = "shiftClick";
        o.text = "Click while pressing Shift to clear the text";
        o.showOnlyOnce = showOnlyOnce;
        o.closeOnClick = closeOnClick;
        o.maximumWidth = 160;
        return o;
    }
};

TEST_F(PresentationTest, TipShownOnlyOnceStaysAwayAcrossLaunches) {
    Tooltip hidden(options(true), suite);
    EXPECT_FALSE(hidden.show(anchor)) << "a view that is not on screen shows nothing";
    EXPECT_EQ(hidden.shownCount(), 0) << "and counts nothing";

    window.show();
    {
        Tooltip tip(options(true), suite);
        EXPECT_TRUE(tip.show(anchor, Qt::BottomEdge));
        EXPECT_TRUE(tip.isShown());
        EXPECT_LE(tip.popover()->width(), 160);
        EXPECT_GE(tip.popover()->y(), anchor->mapToGlobal(QPoint(0, anchor->height())).y() - 1)
            << "below the anchor";
    }
    Tooltip nextLaunch(options(true), suite);
    EXPECT_FALSE(nextLaunch.show(anchor));
    EXPECT_EQ(suite->object("KZ_Tooltip_shiftClick"), Prefs::StoredObject(1));
}

TEST_F(PresentationTest, TipWithoutShowOnlyOnceCountsEveryShowingAndAClickRunsItsAction) {
    window.show();
    Tooltip counted(options(false, false), suite);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(counted.show(anchor));
    }
    EXPECT_EQ(counted.shownCount(), 3);
    EXPECT_TRUE(counted.isShown());
    counted.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(counted.isShown());

    int clicks = 0;
    for (const bool closeOnClick : {true, false}) {
        auto o = options(false, closeOnClick);
        o.onClick = [&] { ++clicks; };
        Tooltip tip(o, suite);
        ASSERT_TRUE(tip.show(anchor));
        auto* content = tip.popover()->findChild<ToolTipView*>();
        ASSERT_NE(content, nullptr);
        EXPECT_EQ(content->text(), o.text);
        QTest::mouseClick(content, Qt::LeftButton);
        EXPECT_EQ(tip.isShown(), !closeOnClick);
    }
    EXPECT_EQ(clicks, 2);
}

TEST_F(PresentationTest, ShowForAppRunsWidgetHidesAtLaterAppearancesOfTheRun) {
    AppRuns process(suite);
    auto* tip = new QLabel("Press return to close this window", &window);
    ShowForAppRuns::attach(tip, ShowForAppRuns(process, 1, "editWindowCloseTip", 1, true));
    window.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(tip->isVisible()) << "first appearance in the first run";

    window.hide();
    window.show(); // the window opened again
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(tip->isVisible());

    AppRuns secondRun(suite);
    QLabel outside("tip");
    ShowForAppRuns::attach(&outside, ShowForAppRuns(secondRun, 1, "editWindowCloseTip", 1, true));
    outside.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(outside.isVisible()) << "outside its window of runs it stays hidden";
}

} // namespace
