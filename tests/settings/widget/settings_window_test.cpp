// The settings window offscreen: its one window and tabs, the Appearance controls against the store,
// and the launch-at-login switch against the real autostart folder.
#include "hotkeys/recorder.h"
#include "login_launch/login_launch.h"
#include "platform/linux/autostart_login_platform.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/catalogue.h"
#include "settings/shortcut_names.h"
#include "settings/window/appearance_rows.h"
#include "settings/window/appearance_settings.h"
#include "settings/window/color_circle_button.h"
#include "settings/window/color_palette.h"
#include "settings/window/general_settings.h"
#include "settings/window/menu_bar_color_picker.h"
#include "settings/window/panel_item_setting.h"
#include "settings/window/reset_or_undo_button.h"
#include "settings/window/reusable_menu_bar_item_color_setting.h"
#include "settings/window/settings_window.h"
#include "settings/window/shortcuts_settings.h"
#include "settings/window/step_slider.h"
#include "settings/window/switch_top_label_toggle_style.h"
#include "settings/window/text_size_slider.h"
#include "support/temp_xdg_dirs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendra;
using namespace zendra::Settings;

namespace {

void flush() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

class SettingsWindowTest : public testing::Test {
protected:
    void SetUp() override {
        Prefs::standardSuite()->removeAll();
        flush();
    }
    void TearDown() override {
        flush();
        Prefs::standardSuite()->removeAll();
    }

    // An opened window with its Appearance tab selected.
    SettingsScreen& openAppearance() {
        window.open();
        flush();
        window.screen()->tabs()->setCurrentWidget(window.screen()->appearance());
        flush();
        return *window.screen();
    }

    bool panelIsDark = false;
    SettingsWindow window{SettingsWindowEnvironment{{[this] { return panelIsDark; }, true}, {}}};
};

TEST_F(SettingsWindowTest, OpensOneFloatingWindow460WideWhoseHeightFollowsTheTab) {
    window.open();
    EXPECT_EQ(window.screen(), nullptr) << "opening waits for the main queue";
    flush();
    SettingsScreen* screen = window.screen();
    ASSERT_NE(screen, nullptr);
    window.open();
    flush();
    EXPECT_EQ(window.screen(), screen) << "a second open reuses the window";
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->windowFlags() & Qt::WindowStaysOnTopHint) << "not above other programs";
    const QRect area = screen->screen()->availableGeometry();
    EXPECT_LE(std::abs(screen->frameGeometry().center().x() - area.center().x()), 20) << "centred";

    QTabWidget* tabs = screen->tabs();
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabText(1), "Appearance");
    for (int i = 0; i < tabs->count(); ++i) {
        EXPECT_FALSE(tabs->tabIcon(i).isNull()) << "tab " << i << " has a symbol";
    }
    EXPECT_EQ(screen->width(), SettingsScreen::contentWidth);
    EXPECT_GE(screen->general()->height(), 160);
    EXPECT_GE(screen->general()->visibleRegion().boundingRect().height(), 160) << "and all of it shows";
    const int generalHeight = screen->height();

    tabs->setCurrentIndex(1);
    flush();
    EXPECT_EQ(screen->width(), SettingsScreen::contentWidth);
    EXPECT_GT(screen->height(), generalHeight + 100) << "the Appearance tab's rows make it taller";
    tabs->setCurrentIndex(0);
    flush();
    EXPECT_EQ(screen->height(), generalHeight) << "and it shrinks back";

    screen->close();
    window.open();
    flush();
    EXPECT_EQ(window.screen(), screen);
    EXPECT_TRUE(screen->isVisible()) << "closing only hid it";

    // Escape and Ctrl+W hide it as its close does, also with the focus on a control inside.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Escape, Qt::KeyboardModifiers()},
                                         std::pair{Qt::Key_W, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
        window.open();
        flush();
        ASSERT_TRUE(screen->isVisible());
        screen->tabs()->tabBar()->setFocus();
        QTest::keyClick(screen->tabs()->tabBar(), key, modifiers);
        EXPECT_FALSE(screen->isVisible()) << QKeySequence(key | modifiers).toString().toStdString();
    }
    window.open();
    flush();

    // The Shortcuts tab: the three names in order, none recorded yet, no note with key grabs.
    const auto& recorders = screen->shortcuts()->recorders();
    EXPECT_EQ(recorders[0]->field()->shortcutName().rawValue,
              shortcutName(UserAction::toggleEditor)->rawValue);
    EXPECT_EQ(recorders[1]->field()->shortcutName().rawValue, shortcutName(UserAction::clearText)->rawValue);
    EXPECT_EQ(recorders[2]->field()->shortcutName().rawValue, shortcutName(UserAction::pasteText)->rawValue);
    for (auto* recorder : recorders) {
        EXPECT_EQ(recorder->field()->text(), QString());
    }
    EXPECT_EQ(screen->shortcuts()->note(), nullptr);
    ShortcutsSettings withoutGrabs(false);
    ASSERT_NE(withoutGrabs.note(), nullptr);
    EXPECT_TRUE(withoutGrabs.note()->text().contains("zendra toggle-editor"));
}

TEST_F(SettingsWindowTest, SlidersKeepTheirRangesAndStepsAndStoreEveryMove) {
    AppearanceSettings& tab = *openAppearance().appearance();

    StepSlider* width = tab.maximumWidth()->slider();
    EXPECT_EQ(width->minimumValue(), 60);
    EXPECT_EQ(width->maximumValue(), 600);
    EXPECT_EQ(width->value(), 150);
    EXPECT_EQ(tab.maximumWidth()->valueLabel()->text(), "150");
    QTest::keyClick(width, Qt::Key_Right);
    EXPECT_EQ(Prefs::get(maximumWidth()), 160) << "one step is 10";
    flush();
    EXPECT_EQ(tab.maximumWidth()->valueLabel()->text(), "160");
    QTest::keyClick(width, Qt::Key_End);
    EXPECT_EQ(Prefs::get(maximumWidth()), 600);
    QTest::keyClick(width, Qt::Key_Right);
    EXPECT_EQ(Prefs::get(maximumWidth()), 600) << "nothing beyond the range";

    Prefs::set(maximumWidth(), 320.0); // from another writer, while the window is open
    flush();
    EXPECT_EQ(width->value(), 320);
    EXPECT_EQ(tab.maximumWidth()->valueLabel()->text(), "320");

    TextSizeSlider& size = *tab.textSize();
    EXPECT_EQ(size.slider()->minimumValue(), systemFontSize() - 4);
    EXPECT_EQ(size.slider()->maximumValue(), systemFontSize() + 6);
    EXPECT_EQ(size.slider()->value(), systemFontSize());
    EXPECT_FALSE(size.resetButton()->isEnabled()) << "disabled at the default";
    QTest::keyClick(size.slider(), Qt::Key_Left);
    EXPECT_EQ(Prefs::get(textSize()), systemFontSize() - 1);
    flush();
    EXPECT_TRUE(size.resetButton()->isEnabled());
    size.resetButton()->click();
    EXPECT_EQ(Prefs::get(textSize()), systemFontSize());
    flush();
    EXPECT_FALSE(size.resetButton()->isEnabled());

    // No correction shows as 0; a move stores a number, also on the way back to 0.
    StepSlider* vertical = tab.verticalAlignment()->slider();
    EXPECT_EQ(vertical->minimumValue(), -2);
    EXPECT_EQ(vertical->maximumValue(), 2);
    EXPECT_EQ(vertical->value(), 0);
    QTest::keyClick(vertical, Qt::Key_Right);
    EXPECT_EQ(Prefs::get(menuBarTextVerticalAlignmentOffset()), 0.5);
    QTest::keyClick(vertical, Qt::Key_Left);
    EXPECT_EQ(Prefs::get(menuBarTextVerticalAlignmentOffset()), std::optional(0.0));

    // The prefix field stores each keystroke.
    QTest::keyClicks(tab.prefix(), "> ");
    EXPECT_EQ(Prefs::get(prefix()), "> ");
    Prefs::set(suffix(), QString("!"));
    flush();
    EXPECT_EQ(tab.suffix()->text(), "!");
}

TEST_F(SettingsWindowTest, PalettePicksBothColoursAndTheWellsShowWhatThePanelWillUse) {
    ReusableMenuBarItemColorSetting& setting = *openAppearance().appearance()->color();
    panelIsDark = true;
    setting.presentPopover();
    flush();
    MenuBarColorPicker& light = *setting.lightPicker();
    MenuBarColorPicker& dark = *setting.darkPicker();
    EXPECT_FALSE(light.resetButton()->isEnabled());
    EXPECT_FALSE(dark.resetButton()->isEnabled());
    EXPECT_EQ(light.shownColor(), QColor(Qt::white)) << "no colour: the dark panel's standard text colour";

    ASSERT_EQ(setting.presets().size(), 10u);
    const QColor mint = colorPalette()[3];
    QTest::mouseClick(setting.presets()[3], Qt::LeftButton);
    EXPECT_EQ(Prefs::get(color()), mint);
    EXPECT_EQ(Prefs::get(darkColor()), mint);
    flush();
    for (std::size_t i = 0; i < setting.presets().size(); ++i) {
        EXPECT_EQ(setting.presets()[i]->isHighlighted(), i == 3) << "preset " << i;
    }
    EXPECT_TRUE(light.resetButton()->isEnabled());

    const QColor translucent(10, 20, 30, 128);
    dark.well()->choose(translucent);
    EXPECT_EQ(Prefs::get(darkColor()), translucent);
    flush();
    EXPECT_FALSE(setting.presets()[3]->isHighlighted()) << "only the light colour still equals it";

    dark.resetButton()->click();
    EXPECT_FALSE(Prefs::get(darkColor()).has_value()) << "reset removes the entry";
    flush();
    EXPECT_EQ(dark.shownColor(), mint) << "the dark well shows the light colour";
    EXPECT_FALSE(dark.resetButton()->isEnabled());

    light.resetButton()->click();
    flush();
    EXPECT_EQ(light.shownColor(), QColor(Qt::white));
    EXPECT_EQ(dark.shownColor(), QColor(Qt::white));

    light.well()->choose(QColor(Qt::white));
    EXPECT_EQ(Prefs::get(color()), QColor(Qt::white)) << "a chosen colour is stored even when shown already";
}

TEST_F(SettingsWindowTest, LaunchAtLoginSwitchWritesAndRemovesTheAutostartEntry) {
    const zendra::test::TempXdgDirs xdg;
    LoginLaunch::setPlatform(std::make_shared<autostart::AutostartLoginPlatform>(
        QStringLiteral("org.zendra.Zendra"), QStringLiteral("Zendra"), QStringLiteral("/usr/bin/zendra")));
    const QString entry = xdg.configHome() + "/autostart/org.zendra.Zendra.desktop";
    {
        GeneralSettings general;
        general.show();
        SwitchTopLabelToggleStyle& row = *general.launchAtLogin();
        EXPECT_EQ(row.label()->text(), "Launch at login");
        EXPECT_EQ(row.toggle()->text(), QString()) << "the switch shows no text of its own";
        EXPECT_EQ(row.label()->font().pixelSize(), 14);

        QTest::mouseClick(row.toggle(), Qt::LeftButton);
        flush();
        EXPECT_TRUE(QFile::exists(entry));
        EXPECT_TRUE(row.toggle()->isChecked());
        QTest::mouseClick(row.toggle(), Qt::LeftButton);
        flush();
        EXPECT_FALSE(QFile::exists(entry));
        EXPECT_FALSE(row.toggle()->isChecked());
    }
    LoginLaunch::setPlatform(nullptr);
}

TEST_F(SettingsWindowTest, PanelItemChoiceIsStoredAndFollowsOutsideChanges) {
    GeneralSettings general;
    general.show();
    QComboBox& combo = *general.panelItem()->combo();
    EXPECT_EQ(combo.currentData().toString(), "auto");

    combo.activated(1);
    flush();
    EXPECT_EQ(Prefs::get(panelItem()), "panel");

    Prefs::set(panelItem(), QStringLiteral("window"));
    flush();
    EXPECT_EQ(combo.currentText(), "Zendra's own bar");
    Prefs::set(panelItem(), QStringLiteral("bogus"));
    flush();
    EXPECT_EQ(combo.currentText(), "Automatically") << "an unknown value reads as automatic";
}

} // namespace
