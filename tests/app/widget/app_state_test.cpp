// The central state and the delegate with a fake panel item and a stand-in edit window class.
#include "app/app_delegate.h"
#include "app/app_state.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QStringList>
#include <gtest/gtest.h>

// The edit window's class as the lookup sees it; other top-level widgets (menus) never match.
class StandInEditWindow : public QWidget {
    Q_OBJECT
};

namespace {

using namespace zendra;

class FakeStatusItem final : public StatusItem {
public:
    bool popUpMenu(QMenu& menu) override {
        shown.clear();
        for (QAction* action : menu.actions()) {
            shown << (action->isSeparator() ? QStringLiteral("---") : action->text());
        }
        ++menus;
        return true;
    }
    bool isOnScreen() const override { return true; }
    QStringList shown;
    int menus = 0;
};

class FakePasteboard final : public Pasteboard {
public:
    std::optional<QString> plainText() const override { return text; }
    void write(std::unique_ptr<QMimeData> data) override { text = data->text(); }
    std::optional<QString> text;
};

void runMainQueue() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

class AppStateTest : public testing::Test {
protected:
    void SetUp() override {
        runMainQueue();
        Settings::text().reset();
        window.setObjectName("edit window");
    }
    void TearDown() override {
        runMainQueue();
        Settings::text().reset();
    }

    AppState::Environment environment() {
        AppState::Environment env;
        env.pasteboard = pasteboard;
        env.editWindows = EditWindowLookup(StandInEditWindow::staticMetaObject);
        env.makeStatusItem = [this](StatusItemCallbacks callbacks) -> std::unique_ptr<StatusItem> {
            this->callbacks = callbacks;
            auto made = std::make_unique<FakeStatusItem>();
            item = made.get();
            steps << "statusItem";
            return made;
        };
        env.isFirstLaunch = [this] { return firstLaunch; };
        env.isDebugMode = [] { return false; };
        env.quit = [this] { steps << "quit"; };
        env.launchSteps.registerServicesProvider = [this] { steps << "services"; };
        env.launchSteps.prepareEditWindowBackground = [this](QWidget&) { steps << "background"; };
        env.launchSteps.showWelcomeWindow = [this] { steps << "welcome"; };
        env.launchSteps.startVisibilityCheck = [this](StatusItem&, const QString& advice) {
            steps << "visibility";
            this->advice = advice;
        };
        env.launchSteps.requestReview = [this] { steps << "review"; };
        env.launchSteps.activateApplication = [this] { steps << "activate"; };
        return env;
    }

    StandInEditWindow window;
    std::shared_ptr<FakePasteboard> pasteboard = std::make_shared<FakePasteboard>();
    FakeStatusItem* item = nullptr;
    StatusItemCallbacks callbacks;
    bool firstLaunch = true;
    QStringList steps;
    QString advice;
};

TEST_F(AppStateTest, DidLaunchRunsItsStepsInOrderOnceOnTheNextTurn) {
    AppState state(environment());
    EXPECT_TRUE(steps.isEmpty()) << "the routine waits for the main queue";
    runMainQueue();
    EXPECT_EQ(steps, QStringList({"services", "background", "welcome", "statusItem", "visibility", "review",
                                  "activate"}));
    EXPECT_EQ(advice, QString("You could also try lowering the maximum width in the settings."));
    EXPECT_TRUE(state.memoryWatchdog().isRunning());
    state.didLaunch();
    EXPECT_EQ(steps.size(), 7) << "runs once";

    firstLaunch = false;
    steps.clear();
    AppState later(environment());
    runMainQueue();
    EXPECT_FALSE(steps.contains("welcome")) << "the welcome window is for the first launch only";
}

// Which click does what is the decision table's test; this checks what the state does with each.
TEST_F(AppStateTest, ClicksOpenAMenuWithTheStatesOfThatMomentOrToggleTheWindow) {
    AppState state(environment());
    runMainQueue();
    ASSERT_TRUE(item);
    const auto entry = [&](const QString& title) -> QAction* {
        for (QAction* action : state.openMenu()->actions()) {
            if (action->text() == title) {
                return action;
            }
        }
        ADD_FAILURE() << "no entry " << title.toStdString();
        return nullptr;
    };

    callbacks.clicked(StatusItemMouseEvent::rightMouseDown, {});
    EXPECT_EQ(item->menus, 1);
    ASSERT_TRUE(state.openMenu());
    EXPECT_FALSE(entry("Paste Text")->isEnabled());
    pasteboard->text = QString("\n  from the clipboard \nmore");
    EXPECT_FALSE(entry("Paste Text")->isEnabled()) << "the open menu keeps the states it opened with";
    callbacks.clicked(StatusItemMouseEvent::rightMouseDown, {});
    ASSERT_TRUE(entry("Paste Text")->isEnabled());
    entry("Paste Text")->trigger();
    EXPECT_EQ(Prefs::get(Settings::text()), QString("from the clipboard"));

    entry("Quit Zendra")->trigger();
    EXPECT_FALSE(steps.contains("quit")) << "quitting waits for the next turn of the main queue";
    runMainQueue();
    EXPECT_TRUE(steps.contains("quit"));

    window.show();
    StatusItemClickModifiers shiftOption;
    shiftOption.shift = true;
    shiftOption.option = true;
    callbacks.clicked(StatusItemMouseEvent::leftMouseUp, shiftOption);
    EXPECT_TRUE(window.isVisible()) << "an inactive window is brought forward, not closed";
    window.hide();
    callbacks.shortcutReleased(UserAction::toggleEditor);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(item->menus, 2) << "the shortcut toggles, it opens no menu";
    window.hide();

    // Clearing from the item removes the stored text; the shortcut and the bus store the empty text.
    const auto suite = Settings::text().suite();
    Prefs::set(Settings::text(), QString("to clear"));
    callbacks.clicked(StatusItemMouseEvent::rightMouseDown, {});
    entry("Clear Text")->trigger();
    EXPECT_FALSE(suite->hasPersistentEntry("text"));
    Prefs::set(Settings::text(), QString("to clear"));
    callbacks.shortcutReleased(UserAction::clearText);
    EXPECT_TRUE(suite->hasPersistentEntry("text"));
    EXPECT_EQ(Prefs::get(Settings::text()), QString());
    Prefs::set(Settings::text(), QString("to clear"));
    EXPECT_EQ(state.perform(UserAction::clearText, ActionSource::bus), std::nullopt) << "saved";
    EXPECT_EQ(Prefs::get(Settings::text()), QString());
    pasteboard->text = QString("pasted by the shortcut");
    callbacks.shortcutReleased(UserAction::pasteText);
    EXPECT_EQ(Prefs::get(Settings::text()), QString("pasted by the shortcut"));
    Settings::text().reset();
}

TEST(AppDelegateTest, UrlsHideTheEditWindowAndRoutesGiveFreshHandlers) {
    Settings::text().reset();
    StandInEditWindow window;
    window.show();
    AppDelegate delegate{EditWindowLookup(StandInEditWindow::staticMetaObject)};
    delegate.openUrls({"zendra:?text=two%20words", "https://example.org/?text=no"});
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Prefs::get(Settings::text()), QString("two words"));
    window.show();
    runMainQueue();
    EXPECT_FALSE(window.isVisible()) << "hidden once more on the next turn";

    struct SetText : Intent {};
    struct Other : Intent {};
    struct Handler : IntentHandler {};
    delegate.intentRoutes().add<SetText>([] { return std::make_unique<Handler>(); });
    const auto first = delegate.handlerFor(SetText{});
    const auto second = delegate.handlerFor(SetText{});
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(delegate.handlerFor(Other{}), nullptr);
    Settings::text().reset();
}

} // namespace

#include "app_state_test.moc"
