// The real zendra binary on the private X server: Control+comma in the edit window and `zendra
// settings` open the one settings window, or bring it to the front.
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

using namespace std::chrono_literals;
using zendra::test::waitUntil;
using zendra::test::X11Input;

constexpr std::uint8_t commaKey = 59;
constexpr int settingsWidth = 460;

class SettingsBinaryTest : public testing::Test {
protected:
    void TearDown() override {
        if (zendra) {
            const auto status = zendra->terminate(5s);
            EXPECT_EQ(status.exitCode, 0) << zendra->standardError().toStdString();
        }
    }

    std::vector<X11Input::Window> windows() { return desktop.mappedWindows(zendra->pid()); }

    std::optional<X11Input::Window> item() {
        for (const auto& window : windows()) {
            if (window.y == 0 && window.x + window.width == desktop.screenWidth()) {
                return window;
            }
        }
        return std::nullopt;
    }

    int settingsWindowCount() {
        int count = 0;
        for (const auto& window : windows()) {
            count += window.width == settingsWidth ? 1 : 0;
        }
        return count;
    }

    // The settings window is the topmost of the application's windows.
    bool settingsOnTop() {
        const auto all = windows();
        return !all.empty() && all.back().width == settingsWidth;
    }

    bool editWindowOnTop() {
        const auto all = windows();
        return !all.empty() && all.back().width >= 500;
    }

    // Control+comma, repeated while the focus may still be on its way to the edit window.
    bool pressSettingsShortcutUntilSettingsOnTop() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            desktop.chord({X11Input::controlKey, commaKey});
            if (waitUntil([&] { return settingsOnTop(); }, 1s)) {
                return true;
            }
        }
        return false;
    }

    zendra::test::TempXdgDirs xdg;
    X11Input desktop;
    std::optional<zendra::test::ChildProcess> zendra;
};

TEST_F(SettingsBinaryTest, TheEditWindowShortcutAndTheCommandLineShowOneSettingsWindow) {
    zendra.emplace(ZENDRA_BINARY, QStringList{});
    std::optional<X11Input::Window> panelItem;
    ASSERT_TRUE(waitUntil([&] { return (panelItem = item()).has_value(); }, 10s))
        << zendra->standardError().toStdString();

    desktop.click(*panelItem);
    ASSERT_TRUE(waitUntil([&] { return editWindowOnTop(); }, 5s)) << "the edit window appears";
    ASSERT_TRUE(pressSettingsShortcutUntilSettingsOnTop()) << zendra->standardError().toStdString();
    EXPECT_EQ(settingsWindowCount(), 1);

    desktop.click(*panelItem); // the edit window, still open, comes back to the front
    ASSERT_TRUE(waitUntil([&] { return editWindowOnTop(); }, 5s));
    ASSERT_TRUE(pressSettingsShortcutUntilSettingsOnTop());
    EXPECT_EQ(settingsWindowCount(), 1) << "the second time raises the same window";

    desktop.click(*panelItem);
    ASSERT_TRUE(waitUntil([&] { return editWindowOnTop(); }, 5s));
    zendra::test::ChildProcess command(ZENDRA_BINARY, {"settings"});
    const auto status = command.waitForExit(10s);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->exitCode, 0) << command.standardError().toStdString();
    EXPECT_TRUE(waitUntil([&] { return settingsOnTop(); }, 5s)) << "the running instance raised its window";
    EXPECT_EQ(settingsWindowCount(), 1);
}

} // namespace
