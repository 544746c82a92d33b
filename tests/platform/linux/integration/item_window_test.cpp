// Zendra's own item window on the private X server, driven by real input from a second X client.
#include "panel/status_item_renderer.h"
#include "platform/linux/item_window.h"
#include "prefs/prefs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QToolTip>
#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

using namespace zendra;

namespace {

using namespace std::chrono_literals;
using zendra::ItemWindow;
using zendra::test::waitUntil;
using zendra::test::X11Input;

// A top panel as a window manager lists it: a window in the root's client list that reserves the top
// rows across the screen, with the work area the manager derives from it. Gone again at the end.
class FakeTopPanel {
public:
    FakeTopPanel() : c_(xcb_connect(nullptr, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        window_ = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, root_, 0, 0, 1920, 30, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        setProperty(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW, {window_});
    }
    ~FakeTopPanel() {
        // Leave the server as found: no panel and no work area, so the next test starts at the top.
        xcb_delete_property(c_, root_, atom("_NET_CLIENT_LIST"));
        xcb_delete_property(c_, root_, atom("_NET_WORKAREA"));
        xcb_destroy_window(c_, window_);
        xcb_disconnect(c_);
    }

    void reserve(std::uint32_t height) {
        setProperty(window_, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL,
                    {0, 0, height, 0, 0, 0, 0, 0, 0, 1919, 0, 0});
        setProperty(root_, "_NET_WORKAREA", XCB_ATOM_CARDINAL, {0, height, 1920, 1080 - height});
    }

    std::vector<std::uint32_t> property(std::uint32_t window, const char* name) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr);
        std::vector<std::uint32_t> result;
        if (reply != nullptr && reply->format == 32) {
            const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            result.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return result;
    }

    std::uint32_t atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, std::uint16_t(std::strlen(name)), name), nullptr);
        const std::uint32_t result = reply->atom;
        std::free(reply);
        return result;
    }

private:
    void setProperty(std::uint32_t window, const char* name, std::uint32_t type,
                     std::vector<std::uint32_t> values) {
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, atom(name), type, 32,
                            std::uint32_t(values.size()), values.data());
        xcb_flush(c_);
    }

    xcb_connection_t* c_;
    xcb_window_t root_ = 0;
    xcb_window_t window_ = 0;
};

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
    desktop.click(*place, X11Input::Button::left, {X11Input::superKey});
    ASSERT_TRUE(waitUntil([&] { return clicks.size() == 6; })) << clicks.size();
    EXPECT_EQ(clicks[0].event, StatusItemMouseEvent::leftMouseUp);
    EXPECT_FALSE(clicks[0].modifiers.shift);
    EXPECT_TRUE(clicks[1].modifiers.shift);
    EXPECT_TRUE(clicks[2].modifiers.control && clicks[2].modifiers.option && !clicks[2].modifiers.shift);
    EXPECT_EQ(clicks[3].event, StatusItemMouseEvent::rightMouseDown);
    EXPECT_EQ(clicks[4].event, StatusItemMouseEvent::rightMouseDown) << "the middle button opens the menu";
    EXPECT_EQ(clicks[5].event, StatusItemMouseEvent::leftMouseUp) << "Super without moving is a click";
    EXPECT_TRUE(clicks[5].modifiers.command);
    EXPECT_EQ(decideStatusItemClick(clicks[5].event, clicks[5].modifiers),
              StatusItemClickAction::toggleEditWindow);

    // Pressed on the item and released elsewhere: abandoned.
    desktop.movePointer(place->x + 5, 5);
    desktop.button(true, X11Input::Button::left);
    desktop.movePointer(place->x - 200, 300);
    desktop.button(false, X11Input::Button::left);
    waitUntil([] { return false; }, 100ms);
    EXPECT_EQ(clicks.size(), 6u);
}

TEST_F(ItemWindowTest, SitsBelowTopPanelsAsADockThatReservesOnlyItsOwnSpan) {
    FakeTopPanel panel;
    panel.reserve(30);
    const auto window = showWindow({80, 24});
    auto place = placeOf(*window);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->y, 30) << "under the panel, not over it";
    EXPECT_EQ(place->x + place->width, desktop.screenWidth());
    const auto id = std::uint32_t(window->winId());
    EXPECT_EQ(panel.property(id, "_NET_WM_WINDOW_TYPE"),
              std::vector<std::uint32_t>{panel.atom("_NET_WM_WINDOW_TYPE_DOCK")});
    const auto right = std::uint32_t(desktop.screenWidth() - 1);
    EXPECT_EQ(panel.property(id, "_NET_WM_STRUT_PARTIAL"),
              (std::vector<std::uint32_t>{0, 0, 54, 0, 0, 0, 0, 0, right - 79, right, 0, 0}))
        << "the rows down to its bottom, across its own span only";

    panel.reserve(40);
    EXPECT_TRUE(waitUntil([&] { return desktop.geometry(id)->y == 40; })) << "the panel grew";
    EXPECT_EQ(panel.property(id, "_NET_WM_STRUT_PARTIAL").at(2), 64u);
}

TEST_F(ItemWindowTest, ShowsTheWholeTextOnHoverAndPaintsTheBackgroundOfItsAppearance) {
    const auto window = showWindow();
    window->setToolTip(QString("Pay <b>rent</b> & bills"));
    const auto place = placeOf(*window);
    ASSERT_TRUE(place);
    desktop.movePointer(place->x + 5, place->y + 5);
    desktop.movePointer(place->x + 8, place->y + 6);
    ASSERT_TRUE(waitUntil([] { return QToolTip::isVisible(); })) << "although the window is never active";
    EXPECT_TRUE(QToolTip::text().contains("Pay &lt;b&gt;rent&lt;/b&gt; &amp; bills"))
        << QToolTip::text().toStdString();
    QToolTip::hideText();

    StatusItemContent content;
    content.text = "Ship it";
    content.isDark = true;
    const StatusItemRendering dark = renderStatusItem(content);
    window->setImage(dark.image, dark.itemSize);
    window->setDarkAppearance(true);
    // The darkest and the lightest pixel on screen.
    const auto lightness = [&] {
        const QImage picture = window->grab().toImage();
        std::pair<int, int> range{255, 0};
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const int value = QColor(picture.pixel(x, y)).lightness();
                range = {std::min(range.first, value), std::max(range.second, value)};
            }
        }
        return range;
    };
    auto [darkest, lightest] = lightness();
    EXPECT_LT(darkest, 80) << "a dark background behind the light text";
    EXPECT_GT(lightest, 200) << "the text drawn for a dark panel";

    content.isDark = false;
    const StatusItemRendering light = renderStatusItem(content);
    window->setImage(light.image, light.itemSize);
    window->setDarkAppearance(false);
    std::tie(darkest, lightest) = lightness();
    EXPECT_GT(lightest, 200) << "a light background behind the dark text";
    EXPECT_LT(darkest, 80);
}

TEST_F(ItemWindowTest, SuperDragMovesItAlongTheTopEdgeAndTheNextLaunchComesBackThere) {
    auto window = showWindow();
    const auto start = placeOf(*window);
    ASSERT_TRUE(start);
    const int y = start->y + start->height / 2;
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
    EXPECT_EQ(place->y, start->y) << "only along the top edge";
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

TEST_F(ItemWindowTest, AWindowThatCoversItTakesItOffTheScreenUntilItGoes) {
    const auto window = showWindow();
    int reports = 0;
    zendra::StatusBarEvents events;
    events.geometryChanged = [&] { ++reports; };
    window->setEvents(std::move(events));

    QWidget cover(nullptr, Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
    cover.setGeometry(0, 0, desktop.screenWidth(), 200);
    cover.show();
    EXPECT_TRUE(waitUntil([&] { return !window->isOnScreen(); })) << "fully covered";
    EXPECT_GE(reports, 1);
    cover.hide();
    EXPECT_TRUE(waitUntil([&] { return window->isOnScreen(); }));
}

} // namespace
