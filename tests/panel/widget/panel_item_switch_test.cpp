#include "panel/fakes/status_bar_fake.h"
#include "panel/panel_item_switch.h"

#include <QMenu>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using zendra::PanelItemSwitch;
using zendra::test::FakeStatusBarItem;
using State = PanelItemSwitch::PanelState;

class PanelItemSwitchTest : public testing::Test {
protected:
    PanelItemSwitch makeSwitch() {
        return PanelItemSwitch({panel, [this] { return state; }},
                               {window, [this](bool shown) { windowShown.push_back(shown); }});
    }

    FakeStatusBarItem panel;
    FakeStatusBarItem window;
    State state = State::pending;
    std::vector<bool> windowShown;
};

TEST_F(PanelItemSwitchTest, TheWindowStandsInOnlyWhileNoPanelShowsTheItem) {
    auto item = makeSwitch();
    EXPECT_EQ(windowShown, std::vector<bool>{false}) << "no flash of the window while the panel answers";
    EXPECT_EQ(&item.active(), &panel);

    int viewTold = 0;
    zendra::StatusBarEvents events;
    events.geometryChanged = [&] { ++viewTold; };
    item.setEvents(std::move(events));

    state = State::unhosted;
    panel.events.geometryChanged();
    EXPECT_EQ(windowShown, (std::vector<bool>{false, true}));
    EXPECT_EQ(viewTold, 1);
    EXPECT_EQ(&item.active(), &window);
    EXPECT_EQ(item.anchorRect(), window.anchor) << "popups anchor at the window";

    state = State::hosted;
    panel.events.geometryChanged();
    panel.events.geometryChanged();
    EXPECT_EQ(windowShown, (std::vector<bool>{false, true, false})) << "shown or hidden once per change";
    EXPECT_EQ(&item.active(), &panel);
}

TEST_F(PanelItemSwitchTest, BothBackendsGetEveryPictureAndTheActiveOneTheClicksMenuAndScale) {
    state = State::unhosted;
    auto item = makeSwitch();
    int clicks = 0;
    zendra::StatusBarEvents events;
    events.clicked = [&](StatusItemMouseEvent, StatusItemClickModifiers) { ++clicks; };
    item.setEvents(std::move(events));

    item.setImage(QImage(4, 2, QImage::Format_ARGB32), QSizeF(4, 2));
    item.setToolTip(QString("tip"));
    EXPECT_EQ(panel.imageCount, 1);
    EXPECT_EQ(window.imageCount, 1);
    EXPECT_EQ(panel.toolTip, QString("tip"));
    EXPECT_EQ(window.toolTip, QString("tip"));

    panel.events.clicked(StatusItemMouseEvent::leftMouseUp, {});
    window.events.clicked(StatusItemMouseEvent::leftMouseUp, {});
    EXPECT_EQ(clicks, 2) << "clicks come from either";

    EXPECT_TRUE(item.setContentScale(1.1));
    EXPECT_EQ(window.scale, 1.1);
    EXPECT_EQ(panel.scale, 1.0);
}

} // namespace
