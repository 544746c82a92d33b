// The Shortcuts tab on the private X server, over the X11 hot keys: a shortcut recorded with real key
// presses works system-wide at once, and stops when it is cleared.
#include "hotkeys/hotkeys.h"
#include "hotkeys/recorder.h"
#include "platform/linux/x11/hot_keys.h"
#include "platform/linux/x11/keyboard_layout.h"
#include "settings/shortcut_names.h"
#include "settings/window/settings_screen.h"
#include "settings/window/shortcuts_settings.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

using namespace zendra;

namespace {

using namespace std::chrono_literals;
using zendra::test::waitUntil;
using zendra::test::X11Input;

constexpr std::uint8_t lKey = 46;
constexpr std::uint8_t backspaceKey = 22;
constexpr std::uint8_t escapeKey = 9;

TEST(ShortcutsTabX11, ARecordedShortcutWorksEverywhereAtOnceAndStopsWhenCleared) {
    const auto hotKeys = std::make_shared<x11::HotKeys>();
    ASSERT_TRUE(hotKeys->isAvailable());
    Hotkeys::setEnvironment(
        {Prefs::Suite::makeInMemory(), hotKeys, std::make_shared<x11::KeyboardLayout>(), hotKeys});
    int clears = 0;
    Hotkeys::onKeyUp(*Settings::shortcutName(UserAction::clearText), [&clears] { ++clears; });
    X11Input user;
    {
        Settings::SettingsScreen screen;
        screen.tabs()->setCurrentWidget(screen.shortcuts());
        screen.show();
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        Hotkeys::RecorderField* field = screen.shortcuts()->recorders()[1]->field();
        const auto record = [&] {
            QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
            return waitUntil([&] { return field->isRecording(); });
        };

        ASSERT_TRUE(record());
        user.chord({X11Input::superKey, X11Input::altKey, lKey});
        ASSERT_TRUE(waitUntil([&] {
            return Hotkeys::getShortcut(*Settings::shortcutName(UserAction::clearText)).has_value();
        }));
        EXPECT_EQ(clears, 0);

        user.chord({X11Input::superKey, X11Input::altKey, lKey});
        EXPECT_TRUE(waitUntil([&] {
            hotKeys->processEvents();
            return clears == 1;
        })) << "the new shortcut clears at once, without a restart";

        ASSERT_TRUE(record());
        user.chord({backspaceKey});
        ASSERT_TRUE(waitUntil([&] {
            return !Hotkeys::getShortcut(*Settings::shortcutName(UserAction::clearText)).has_value();
        }));
        user.chord({escapeKey});
        ASSERT_TRUE(waitUntil([&] { return !field->isRecording(); }));

        user.chord({X11Input::superKey, X11Input::altKey, lKey});
        waitUntil([] { return false; }, 300ms);
        hotKeys->processEvents();
        EXPECT_EQ(clears, 1) << "a cleared shortcut does nothing";
        EXPECT_TRUE(user.grabKey(lKey, XCB_MOD_MASK_4 | XCB_MOD_MASK_1)) << "and is no longer grabbed";
    }
    Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
}

} // namespace
