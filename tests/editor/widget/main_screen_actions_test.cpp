#include "base/identity.h"
#include "editor/about_box.h"
#include "editor/fakes/main_screen_url_opener_fake.h"
#include "editor/main_screen.h"
#include "prefs/standard_suite.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using zendra::MainScreen;

class MainScreenActionsTest : public testing::Test {
protected:
    void SetUp() override {
        Prefs::standardSuite()->removeAll();
        MainScreen::Environment env;
        env.launchCount = 5;
        env.urlOpener = opener;
        env.actions.showAbout = [this] { ++abouts; };
        env.actions.quit = [this] { ++quits; };
        screen = std::make_unique<MainScreen>(std::move(env));
    }
    void TearDown() override {
        screen.reset();
        Prefs::standardSuite()->removeAll();
    }

    QAction* entry(const QString& title) const {
        for (QAction* action : screen->actionsMenu()->actions()) {
            if (action->text() == title) {
                return action;
            }
        }
        ADD_FAILURE() << "no entry " << title.toStdString();
        return nullptr;
    }

    static void flush() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    std::shared_ptr<zendra::test::FakeUrlOpener> opener = std::make_shared<zendra::test::FakeUrlOpener>();
    std::unique_ptr<MainScreen> screen;
    int abouts = 0;
    int quits = 0;
};

TEST_F(MainScreenActionsTest, MenuHasEveryEntryInOrderWithKeyEquivalents) {
    QStringList titles;
    for (const QAction* action : screen->actionsMenu()->actions()) {
        titles << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(titles, (QStringList{"About", "-", "Settings…", "-", "Send Feedback…", "-", "-", "Tips",
                                   "Scripting", "FAQ", "Website", "-", "-", "Quit Zendra"}));
    EXPECT_TRUE(screen->actionsMenu()->separatorsCollapsible());
    EXPECT_EQ(entry("Settings…")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_EQ(entry("Quit Zendra")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The key equivalents work with the menu closed.
    EXPECT_TRUE(screen->actions().contains(entry("Quit Zendra")));
}

TEST_F(MainScreenActionsTest, LinksOpenTheProductPageSections) {
    const QString page = QString::fromUtf8(zendra::identity::productPage);
    for (const auto& [title, section] :
         {std::pair{"Tips", "#tips"}, {"Scripting", "#scripting"}, {"FAQ", "#faq"}, {"Website", ""}}) {
        entry(QString::fromUtf8(title))->trigger();
        EXPECT_EQ(opener->opened.back(), QUrl(page + section)) << title;
    }
    EXPECT_EQ(opener->opened.size(), 4u);
    EXPECT_TRUE(zendra::aboutBoxText().contains(page));
}

TEST_F(MainScreenActionsTest, HooksRunAndSettingsAndQuitWaitForTheNextTurn) {
    int settings = 0;
    int feedback = 0;
    entry("Settings…")->trigger(); // with no hook yet: nothing happens
    flush();
    // Hooks filled in after the menu was built are the ones that run.
    screen->actionHooks().openSettings = [&] { ++settings; };
    screen->actionHooks().sendFeedback = [&] { ++feedback; };

    entry("About")->trigger();
    entry("Send Feedback…")->trigger();
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(feedback, 1);

    entry("Settings…")->trigger();
    entry("Quit Zendra")->trigger();
    EXPECT_EQ(settings, 0);
    EXPECT_EQ(quits, 0);
    flush();
    EXPECT_EQ(settings, 1);
    EXPECT_EQ(quits, 1);
}

} // namespace
