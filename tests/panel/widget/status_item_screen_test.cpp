#include "hotkeys/fakes/fake_event_manager.h"
#include "hotkeys/hotkeys.h"
#include "kit/run_once.h"
#include "panel/fakes/status_bar_fake.h"
#include "panel/status_item_screen.h"
#include "prefs/standard_suite.h"
#include "settings/catalogue.h"
#include "settings/shortcut_names.h"
#include "support/wait_until.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

using namespace zendra;

namespace {

using zendra::StatusItemScreen;
using zendra::test::FakeStatusBarItem;

class StatusItemScreenTest : public testing::Test {
protected:
    void SetUp() override {
        Prefs::standardSuite()->removeAll();
        manager = std::make_shared<zendra::test::FakeEventManager>();
        Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), manager, nullptr, nullptr});
        flush();
    }
    void TearDown() override {
        screen.reset();
        flush();
        Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
        Prefs::standardSuite()->removeAll();
    }

    StatusItemScreen& makeScreen() {
        screen = std::make_unique<StatusItemScreen>(
            item, appearance,
            StatusItemScreen::Actions{[this](UserAction action) { released.push_back(action); }});
        flush();
        return *screen;
    }

    static void flush() {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    static void setText(const QString& text) {
        Prefs::set(Settings::text(), text);
        flush();
    }

    FakeStatusBarItem item;
    zendra::FixedPanelAppearance appearance;
    std::shared_ptr<zendra::test::FakeEventManager> manager;
    std::unique_ptr<StatusItemScreen> screen;
    std::vector<UserAction> released;
};

TEST_F(StatusItemScreenTest, WriteFromAnotherThreadRerendersWithTextAloneAsToolTip) {
    Prefs::set(Settings::prefix(), QStringLiteral("» "));
    makeScreen();
    ASSERT_EQ(item.toolTip, std::nullopt); // placeholder at first
    const double placeholderWidth = item.logicalSize.width();

    std::thread writer([] { Prefs::set(Settings::text(), QStringLiteral("Write it")); });
    writer.join();
    ASSERT_TRUE(zendra::test::waitUntil([&] { return item.toolTip.has_value(); }));

    EXPECT_EQ(*item.toolTip, QStringLiteral("Write it"));
    EXPECT_GT(item.logicalSize.width(), placeholderWidth);
    EXPECT_FALSE(screen->rendering().isPlaceholder);

    // A longer suffix widens the item again: every shown setting re-renders.
    const double before = item.logicalSize.width();
    Prefs::set(Settings::suffix(), QStringLiteral(" (today)"));
    flush();
    EXPECT_GT(item.logicalSize.width(), before);

    setText(QStringLiteral(" \t "));
    EXPECT_TRUE(screen->rendering().isPlaceholder);
    EXPECT_EQ(item.toolTip, std::nullopt);
    // A panel turning dark re-renders at once, and the backend's background follows the same decision.
    const int images = item.imageCount;
    EXPECT_FALSE(item.dark);
    appearance.setDark(true);
    EXPECT_GT(item.imageCount, images);
    EXPECT_TRUE(item.dark);
}

TEST_F(StatusItemScreenTest, ClearTextTipShowsOnceOnTheFirstNonEmptyChange) {
    Prefs::set(Settings::text(), QStringLiteral("already there"));
    makeScreen();
    EXPECT_FALSE(screen->isClearTextTipPresented()); // the value at creation is no change

    setText(QStringLiteral("new"));
    ASSERT_TRUE(screen->isClearTextTipPresented());
    const auto* tip = screen->clearTextTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_GE(tip->width(), zendra::ClearTextTip::contentWidth);
    EXPECT_EQ(tip->y(), item.anchor->bottom() + 1); // under the item

    // The item moves to a panel at the bottom: the tip follows, above it.
    const QRect screenArea = QGuiApplication::primaryScreen()->geometry();
    item.anchor = QRect(100, screenArea.bottom() + 1 - 24, 80, 24);
    item.events.geometryChanged();
    EXPECT_EQ(tip->y() + tip->height(), item.anchor->top());

    // A panel host that shows the item without saying where: under the top-right corner.
    item.anchor.reset();
    item.shownWithoutAnchor = true;
    item.events.geometryChanged();
    ASSERT_NE(screen->clearTextTip(), nullptr);
    EXPECT_EQ(tip->geometry().topRight(), QGuiApplication::primaryScreen()->availableGeometry().topRight());

    // Emptying the text hides it; a later text does not bring it back.
    setText(QString());
    EXPECT_FALSE(screen->isClearTextTipPresented());
    setText(QStringLiteral("again"));
    EXPECT_FALSE(screen->isClearTextTipPresented());

    // A second view on the same installation never shows it either.
    screen.reset();
    flush();
    FakeStatusBarItem second;
    StatusItemScreen another(second, appearance, {});
    flush();
    setText(QStringLiteral("third"));
    EXPECT_FALSE(another.isClearTextTipPresented());
}

TEST_F(StatusItemScreenTest, ClickOnTheTipClosesIt) {
    makeScreen();
    setText(QStringLiteral("x"));
    ASSERT_NE(screen->clearTextTip(), nullptr);
    QTest::mouseClick(const_cast<zendra::ClearTextTip*>(screen->clearTextTip()), Qt::LeftButton);
    EXPECT_EQ(screen->clearTextTip(), nullptr);
}

TEST_F(StatusItemScreenTest, DropStoresTheFirstLineAndHighlightsWhileHovering) {
    makeScreen();
    ASSERT_TRUE(item.events.dropTargetedChanged && item.events.textDropped);

    item.events.dropTargetedChanged(true);
    EXPECT_TRUE(screen->isDropTargeted());
    ASSERT_TRUE(zendra::test::waitUntil(
        [&] { return item.scale >= StatusItemScreen::dropHighlightScale - 0.01; }, std::chrono::seconds(2)));

    item.events.textDropped(QStringLiteral("  Call the bank \n second line\n"));
    flush();
    EXPECT_EQ(Prefs::get(Settings::text()), QStringLiteral("Call the bank"));
    EXPECT_FALSE(screen->isDropTargeted());
    ASSERT_TRUE(
        zendra::test::waitUntil([&] { return std::abs(item.scale - 1.0) < 0.01; }, std::chrono::seconds(2)));
}

TEST_F(StatusItemScreenTest, ShortcutsActOnKeyUpOnly) {
    const Hotkeys::Shortcut clear(Hotkeys::Key::k,
                                  Hotkeys::ModifierFlag::command | Hotkeys::ModifierFlag::option);
    const Hotkeys::Shortcut toggle(Hotkeys::Key::e, Hotkeys::ModifierFlag::command);
    const Hotkeys::Shortcut paste(Hotkeys::Key::v,
                                  Hotkeys::ModifierFlag::command | Hotkeys::ModifierFlag::shift);
    Hotkeys::setShortcut(clear, *Settings::shortcutName(UserAction::clearText));
    Hotkeys::setShortcut(toggle, *Settings::shortcutName(UserAction::toggleEditor));
    Hotkeys::setShortcut(paste, *Settings::shortcutName(UserAction::pasteText));
    Prefs::set(Settings::text(), QStringLiteral("keep me"));
    makeScreen();

    // Creating the view registered the shortcuts.
    ASSERT_TRUE(manager->isRegistered(clear));
    ASSERT_TRUE(manager->isRegistered(toggle));

    ASSERT_TRUE(manager->press(clear));
    flush();
    EXPECT_TRUE(released.empty());
    ASSERT_TRUE(manager->release(clear));
    flush();
    ASSERT_TRUE(manager->press(toggle));
    flush();
    EXPECT_EQ(released.size(), 1u);
    ASSERT_TRUE(manager->release(toggle));
    ASSERT_TRUE(manager->pressAndRelease(paste));
    flush();
    EXPECT_EQ(released,
              (std::vector{UserAction::clearText, UserAction::toggleEditor, UserAction::pasteText}));
    EXPECT_EQ(Prefs::get(Settings::text()), QStringLiteral("keep me"))
        << "the actions run where they are handed";
}

} // namespace
