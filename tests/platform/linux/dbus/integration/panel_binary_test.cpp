// The real binary with a desktop panel on the private session bus: the item goes to the panel instead
// of its own window, follows the text, serves its menu, acts on clicks with the modifiers held on the
// X server, and falls back to its window when the panel goes away.
#include "platform/linux/dbus/panel_types.h"
#include "support/child_process.h"
#include "support/launch_history.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"
#include "test_panel.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::TestPanel;
using zendra::test::waitUntil;
using zendra::test::X11Input;

class PanelBinaryTest : public testing::Test {
protected:
    // A later launch: the first one would also show the welcome window.
    void SetUp() override { ASSERT_TRUE(zendra::test::markLaunchedBefore(xdg)); }

    void TearDown() override {
        if (zendra && zendra->isRunning()) {
            EXPECT_EQ(zendra->terminate(5s).exitCode, 0) << zendra->standardError().toStdString();
        }
    }

    std::optional<QString> text() {
        QDBusInterface app("org.zendra.Zendra", "/org/zendra/Zendra", "org.zendra.Zendra");
        const QDBusMessage reply = app.call("GetText");
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
            return std::nullopt;
        }
        return reply.arguments()[0].toString();
    }

    std::vector<QVariantMap> menuRows() {
        const QDBusMessage reply = panel->callMenu("GetLayout", {0, -1, QStringList()});
        std::vector<QVariantMap> rows;
        for (const auto& child :
             qdbus_cast<zendra::panel_dbus::MenuLayoutItem>(reply.arguments().value(1)).children) {
            rows.push_back(child.properties);
        }
        return rows;
    }

    zendra::test::TempXdgDirs xdg;
    X11Input desktop;
    std::optional<TestPanel> panel;
    std::optional<ChildProcess> zendra;
};

TEST_F(PanelBinaryTest, TheItemLivesInThePanelWhileThereIsOneAndInItsWindowOtherwise) {
    panel.emplace(true);
    zendra.emplace(ZENDRA_BINARY, QStringList{"zendra:?text=Write%20**the**%20report"});
    // A host reads the properties once the item registers, then follows the signals.
    ASSERT_TRUE(waitUntil([&] { return !panel->registeredItems().isEmpty(); }, 10s))
        << zendra->standardError().toStdString();
    EXPECT_TRUE(waitUntil([&] { return panel->itemProperty("XAyatanaLabel") == "Write the report"; }, 5s));
    ASSERT_EQ(panel->registeredItems().size(), 1);
    EXPECT_EQ(qdbus_cast<zendra::panel_dbus::ToolTip>(panel->itemProperty("ToolTip")).description,
              "Write **the** report");
    EXPECT_FALSE(qdbus_cast<zendra::panel_dbus::IconPixmapList>(panel->itemProperty("IconPixmap")).isEmpty());
    waitUntil([] { return false; }, 300ms);
    // No item window beside the panel item; only the one-time clear-text tip, under the top-right
    // corner, as the host has not said where it shows the item.
    const auto windows = desktop.mappedWindows(zendra->pid());
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].y, 0);
    EXPECT_EQ(windows[0].x + windows[0].width, desktop.screenWidth());
    EXPECT_GE(windows[0].width, 380);

    auto rows = menuRows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[2]["label"], "Clear Text");
    EXPECT_EQ(rows[2]["enabled"], true);

    // Shift held on the keyboard while the panel reports the click: the text is cleared.
    desktop.key(true, X11Input::shiftKey);
    desktop.sync();
    panel->callItem("Activate", {0, 0});
    desktop.key(false, X11Input::shiftKey);
    ASSERT_TRUE(waitUntil([&] { return text() == QString(); }, 5s));
    ASSERT_TRUE(waitUntil([&] { return !panel->labels.isEmpty() && panel->labels.last().isEmpty(); }, 5s))
        << "the placeholder has no label";
    panel->callMenu("AboutToShow", {0});
    EXPECT_EQ(menuRows()[2]["enabled"], false) << "nothing left to clear";

    // A plain click opens the editor.
    panel->callItem("Activate", {0, 0});
    EXPECT_TRUE(waitUntil([&] { return desktop.mappedWindows(zendra->pid()).size() == 1; }, 5s));
    const auto editor = desktop.mappedWindows(zendra->pid()).front();
    EXPECT_GE(editor.width, 500);

    // The panel goes away: the item window takes over at the top right.
    panel.reset();
    EXPECT_TRUE(waitUntil(
        [&] {
            for (const auto& window : desktop.mappedWindows(zendra->pid())) {
                if (window.y == 0 && window.x + window.width == desktop.screenWidth() &&
                    window.id != editor.id) {
                    return true;
                }
            }
            return false;
        },
        5s));
}

TEST_F(PanelBinaryTest, TheOptionForcesEitherBackend) {
    panel.emplace(true);
    zendra.emplace(ZENDRA_BINARY, QStringList{"--panel-item=window"});
    EXPECT_TRUE(waitUntil([&] { return desktop.mappedWindows(zendra->pid()).size() == 1; }, 10s))
        << zendra->standardError().toStdString();
    EXPECT_TRUE(panel->registeredItems().isEmpty()) << "the window alone, though a panel is there";
    EXPECT_EQ(zendra->terminate(5s).exitCode, 0);

    panel.reset();
    zendra.emplace(ZENDRA_BINARY, QStringList{"--panel-item=statusnotifier"});
    ASSERT_TRUE(waitUntil([&] { return text().has_value(); }, 10s)) << "the instance serves the bus";
    panel.emplace(true);
    EXPECT_TRUE(waitUntil([&] { return panel->registeredItems().size() == 1; }, 5s))
        << "a panel that starts later gets the item";
    EXPECT_TRUE(desktop.mappedWindows(zendra->pid()).empty()) << "and no window stands in meanwhile";
}

} // namespace
