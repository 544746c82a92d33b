// Zendra's own item window on the private X server, driven by real input from a second X client.
#include "platform/linux/item_window.h"
#include "prefs/prefs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using namespace std::chrono_literals;
using zendra::ItemWindow;
using zendra::test::waitUntil;
using zendra::test::X11Input;

struct Click {
    StatusItemMouseEvent event;
    StatusItemClickModifiers modifiers;
};

class ItemWindowTest : public testing::Test {
protected:
    std::unique_ptr<ItemWindow> showWindow(QSizeF size = {80, 24}) {
        auto window = std::make_unique<ItemWindow>(suite);
        zendra::StatusBarEvents events;
        events.clicked = [this](StatusItemMouseEvent event, StatusItemClickModifiers held) {
            clicks.push_back({event, held});
        };
        window->setEvents(std::move(events));
        window->setImage(QImage(), size);
        window->show();
        EXPECT_TRUE(waitUntil([&] { return window->isOnScreen(); }));
        return window;
    }

    // Where the X server has the window, once it has settled there.
    std::optional<X11Input::Window> placeOf(const ItemWindow& window) {
        waitUntil([] { return false; }, 50ms);
        return desktop.geometry(std::uint32_t(window.winId()));
    }

    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    const Prefs::Key<double> offset{QStringLiteral("itemWindowRightOffset"), 0.0, suite};
    X11Input desktop;
    std::vector<Click> clicks;
};

TEST_F(ItemWindowTest, SitsAtTheTopRightAtTheItemsSizeAndFollowsIt) {
    const auto window = showWindow({80.4, 24});
    auto place = placeOf(*window);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->y, 0);
    EXPECT_EQ(place->width, 81) << "a fractional width is rounded up, never cut";
    EXPECT_EQ(place->height, 24);
    EXPECT_EQ(place->x + place->width, desktop.screenWidth());

    window->setImage(QImage(), {150, 22});
    ASSERT_TRUE(waitUntil([&] { return desktop.geometry(std::uint32_t(window->winId()))->width == 150; }));
    place = placeOf(*window);
    EXPECT_EQ(place->x + place->width, desktop.screenWidth()) << "it grows to the left";
    EXPECT_EQ(place->height, 22);

    window->hide();
    EXPECT_FALSE(window->isOnScreen());
    EXPECT_FALSE(window->anchorRect());
}

TEST_F(ItemWindowTest, ClicksArriveWithTheirButtonAndModifiers) {
    const auto window = showWindow();
    const auto place = placeOf(*window);
    ASSERT_TRUE(place);
    desktop.click(*place);
    desktop.click(*place, X11Input::Button::left, {X11Input::shiftKey});
    desktop.click(*place, X11Input::Button::left, {X11Input::controlKey, X11Input::altKey});
    desktop.click(*place, X11Input::Button::right);
    desktop.click(*place, X11Input::Button::middle);
    ASSERT_TRUE(waitUntil([&] { return clicks.size() == 5; })) << clicks.size();
    EXPECT_EQ(clicks[0].event, StatusItemMouseEvent::leftMouseUp);
    EXPECT_FALSE(clicks[0].modifiers.shift);
    EXPECT_TRUE(clicks[1].modifiers.shift);
    EXPECT_TRUE(clicks[2].modifiers.control && clicks[2].modifiers.option && !clicks[2].modifiers.shift);
    EXPECT_EQ(clicks[3].event, StatusItemMouseEvent::rightMouseDown);
    EXPECT_EQ(clicks[4].event, StatusItemMouseEvent::rightMouseDown) << "the middle button opens the menu";

    // Pressed on the item and released elsewhere: abandoned.
    desktop.movePointer(place->x + 5, 5);
    desktop.button(true, X11Input::Button::left);
    desktop.movePointer(place->x - 200, 300);
    desktop.button(false, X11Input::Button::left);
    waitUntil([] { return false; }, 100ms);
    EXPECT_EQ(clicks.size(), 5u);
}

TEST_F(ItemWindowTest, SuperDragMovesItAlongTheTopEdgeAndTheNextLaunchComesBackThere) {
    auto window = showWindow();
    const auto start = placeOf(*window);
    ASSERT_TRUE(start);
    const int y = start->height / 2;
    desktop.movePointer(start->x + 40, y);
    desktop.key(true, X11Input::superKey);
    desktop.button(true, X11Input::Button::left);
    desktop.movePointer(start->x - 60, y + 200);
    desktop.movePointer(start->x - 100 + 40, y + 300);
    desktop.button(false, X11Input::Button::left);
    desktop.key(false, X11Input::superKey);
    ASSERT_TRUE(waitUntil([&] { return Prefs::get(offset) == 100.0; })) << Prefs::get(offset);
    auto place = placeOf(*window);
    EXPECT_EQ(place->x, start->x - 100);
    EXPECT_EQ(place->y, 0) << "only along the top edge";
    EXPECT_TRUE(clicks.empty()) << "a drag is not a click";

    window.reset();
    window = showWindow();
    EXPECT_EQ(placeOf(*window)->x, start->x - 100) << "the stored place";

    // A drag far to the right ends at the right edge, and a stored place off a smaller screen at the left.
    desktop.movePointer(start->x - 60, y);
    desktop.key(true, X11Input::superKey);
    desktop.button(true, X11Input::Button::left);
    desktop.movePointer(desktop.screenWidth() + 500, y);
    desktop.button(false, X11Input::Button::left);
    desktop.key(false, X11Input::superKey);
    ASSERT_TRUE(waitUntil([&] { return Prefs::get(offset) == 0.0; })) << Prefs::get(offset);

    Prefs::set(offset, 1e6);
    window.reset();
    window = showWindow();
    EXPECT_EQ(placeOf(*window)->x, 0);
}

} // namespace
