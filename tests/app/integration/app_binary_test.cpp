// The real zendra binary on the private X server: its panel item window, clicks on it, and a URL
// given on the command line, checked through the preferences file it writes.
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"

#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

using namespace std::chrono_literals;
using zendra::test::waitUntil;

constexpr std::uint8_t shiftKey = 50;
constexpr std::uint8_t hKey = 43;
constexpr std::uint8_t iKey = 31;
constexpr std::uint8_t returnKey = 36;

// A second X client that looks at the application's windows and clicks with XTest.
class Desktop {
public:
    Desktop() : connection_(xcb_connect(nullptr, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const char name[] = "_NET_WM_PID";
        auto* reply = xcb_intern_atom_reply(connection_,
                                            xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
        pidAtom_ = reply ? reply->atom : 0;
        std::free(reply);
    }
    ~Desktop() { xcb_disconnect(connection_); }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    struct Window {
        xcb_window_t id = 0;
        int x = 0, y = 0, width = 0, height = 0;
    };

    // The mapped top-level windows of process `pid`.
    std::vector<Window> mappedWindows(pid_t pid) {
        std::vector<Window> result;
        auto* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
        if (!tree) {
            return result;
        }
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            if (windowPid(children[i]) != pid) {
                continue;
            }
            auto* attributes = xcb_get_window_attributes_reply(
                connection_, xcb_get_window_attributes(connection_, children[i]), nullptr);
            const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            std::free(attributes);
            auto* geometry =
                xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, children[i]), nullptr);
            if (viewable && geometry) {
                result.push_back({children[i], geometry->x, geometry->y, geometry->width, geometry->height});
            }
            std::free(geometry);
        }
        std::free(tree);
        return result;
    }

    // The panel item: the application's window at the top edge, against the right edge.
    std::optional<Window> itemWindow(pid_t pid) {
        const int screenWidth = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->width_in_pixels;
        for (const Window& window : mappedWindows(pid)) {
            if (window.y == 0 && window.x + window.width == screenWidth) {
                return window;
            }
        }
        return std::nullopt;
    }

    void click(const Window& window, bool withShift) {
        const int x = window.x + window.width / 2;
        const int y = window.y + window.height / 2;
        xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, x, y, 0);
        if (withShift) {
            xcb_test_fake_input(connection_, XCB_KEY_PRESS, shiftKey, XCB_CURRENT_TIME, root_, 0, 0, 0);
        }
        xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, root_, 0, 0, 0);
        if (withShift) {
            xcb_test_fake_input(connection_, XCB_KEY_RELEASE, shiftKey, XCB_CURRENT_TIME, root_, 0, 0, 0);
        }
        sync();
    }

    void type(std::uint8_t keyCode) {
        xcb_test_fake_input(connection_, XCB_KEY_PRESS, keyCode, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_KEY_RELEASE, keyCode, XCB_CURRENT_TIME, root_, 0, 0, 0);
        sync();
    }

private:
    pid_t windowPid(xcb_window_t window) {
        auto* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1),
            nullptr);
        pid_t pid = 0;
        if (reply && xcb_get_property_value_length(reply) == 4) {
            pid = pid_t(*static_cast<const std::uint32_t*>(xcb_get_property_value(reply)));
        }
        std::free(reply);
        return pid;
    }
    void sync() {
        std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
    xcb_atom_t pidAtom_ = 0;
};

class AppBinaryTest : public testing::Test {
protected:
    void start(const QStringList& arguments = {}) { zendra.emplace(ZENDRA_BINARY, arguments); }

    void TearDown() override {
        if (zendra) {
            const auto status = zendra->terminate(5s);
            EXPECT_EQ(status.exitCode, 0)
                << zendra::test::describe(status).toStdString() << zendra->standardError().toStdString();
        }
    }

    QByteArray preferences() const {
        QFile file(xdg.configHome() + "/zendra/org.zendra.Zendra.plist");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The stored text, or nothing when the file has no "text" entry.
    std::optional<QString> storedText() const {
        static const QRegularExpression entry("<key>text</key>\\s*<string>([^<]*)</string>");
        const auto match = entry.match(QString::fromUtf8(preferences()));
        return match.hasMatch() ? std::optional(match.captured(1)) : std::nullopt;
    }

    std::optional<Desktop::Window> waitForItemWindow() {
        std::optional<Desktop::Window> item;
        waitUntil([&] { return (item = desktop.itemWindow(zendra->pid())).has_value(); }, 10s);
        return item;
    }

    zendra::test::TempXdgDirs xdg;
    Desktop desktop;
    std::optional<zendra::test::ChildProcess> zendra;
};

TEST_F(AppBinaryTest, ShowsItsItemAloneAndClearsTheTextOnShiftClick) {
    start({"zendra:?text=Write%20the%20report"});
    const auto item = waitForItemWindow();
    ASSERT_TRUE(item) << zendra->standardError().toStdString();
    EXPECT_GT(item->width, 20);
    EXPECT_LE(item->height, 40);
    for (const auto& window : desktop.mappedWindows(zendra->pid())) {
        EXPECT_LT(window.width, 500)
            << "the edit window stays hidden at launch (only the item and its tip show)";
    }

    ASSERT_TRUE(waitUntil([&] { return storedText() == QString("Write the report"); }, 5s))
        << "the URL given at start sets the text: " << preferences().toStdString();

    desktop.click(*item, true);
    EXPECT_TRUE(waitUntil([&] { return !storedText().has_value(); }, 5s))
        << "Shift-click removes the entry: " << preferences().toStdString();
}

TEST_F(AppBinaryTest, APlainClickShowsTheEditorWhoseKeystrokesAreStoredUntilReturnHidesIt) {
    start();
    const auto item = waitForItemWindow();
    ASSERT_TRUE(item) << zendra->standardError().toStdString();
    // The first other window to appear is the editor (the one-time tip under the item comes later).
    xcb_window_t editorId = 0;
    const auto editor = [&]() -> std::optional<Desktop::Window> {
        for (const auto& window : desktop.mappedWindows(zendra->pid())) {
            if (window.id != item->id && (editorId == 0 || window.id == editorId)) {
                editorId = window.id;
                return window;
            }
        }
        return std::nullopt;
    };

    desktop.click(*item, false);
    ASSERT_TRUE(waitUntil([&] { return editor().has_value(); }, 5s)) << "the edit window appears";
    EXPECT_GE(editor()->width, 500);

    // Focus reaches the new window asynchronously; type only once the first key has arrived.
    desktop.type(hKey);
    ASSERT_TRUE(waitUntil([&] { return storedText() == QString("h"); }, 5s))
        << "each keystroke is stored: " << preferences().toStdString();
    desktop.type(iKey);
    ASSERT_TRUE(waitUntil([&] { return storedText() == QString("hi"); }, 5s)) << preferences().toStdString();

    desktop.type(returnKey);
    EXPECT_TRUE(waitUntil([&] { return !editor().has_value(); }, 5s)) << "Return hides the edit window";
    EXPECT_EQ(storedText(), QString("hi"));

    desktop.click(*item, false);
    EXPECT_TRUE(waitUntil([&] { return editor().has_value(); }, 5s)) << "and a click brings it back";
}

TEST_F(AppBinaryTest, RejectsUnknownArgumentsWithoutADisplay) {
    zendra::test::ChildProcessOptions noDisplay;
    noDisplay.environment["DISPLAY"] = std::nullopt;
    zendra::test::ChildProcess child(ZENDRA_BINARY, {"--frobnicate"}, noDisplay);
    const auto status = child.waitForExit(5s);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->exitCode, 2);
    EXPECT_TRUE(child.standardError().contains("--frobnicate"));
}

} // namespace
