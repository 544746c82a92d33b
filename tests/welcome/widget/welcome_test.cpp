#include "kit/fakes/fake_desktop_effects.h"
#include "kit/single_windows.h"
#include "prefs/prefs.h"
#include "welcome/balanced_lines.h"
#include "welcome/welcome_window_controller.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

// Top-level windows the flight shows in the window's place.
int snapshotsOnScreen() {
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->objectName() == "flightSnapshot" && widget->isVisible() ? 1 : 0;
    }
    return count;
}

struct WelcomeTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    std::shared_ptr<test::FakeDesktopEffects> effects = std::make_shared<test::FakeDesktopEffects>();
    QRect item{700, 0, 60, 24};

    WelcomeScreen::Environment environment() {
        WelcomeScreen::Environment env;
        env.itemFrame = [this] { return std::optional(item); };
        env.effects = effects;
        env.suite = suite;
        return env;
    }

    static QPushButton* button(const WelcomeScreen& screen, const char* name) {
        return screen.findChild<QPushButton*>(name);
    }

    // Waits for the greeting and checks what it says and where.
    void expectGreeting(const WelcomeScreen& screen, QRect anchor) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen.greeting() && screen.greeting()->isShown(); }, 5000));
        const auto& tip = screen.greeting()->tooltip();
        EXPECT_EQ(tip.options().identifier, "statusBarButtonWelcomePopover");
        EXPECT_EQ(tip.options().text, "Hello, I'm Zendra");
        EXPECT_TRUE(tip.options().closeOnClick);
        EXPECT_EQ(suite->object("KZ_Tooltip_statusBarButtonWelcomePopover"), Prefs::StoredObject(1));
        const QRect popover = screen.greeting()->popover()->frameGeometry();
        EXPECT_LE(std::abs(popover.center().x() - anchor.center().x()), popover.width() / 2 + 1)
            << "beside the item";
        EXPECT_GE(popover.top(), anchor.bottom());
    }
};

TEST_F(WelcomeTest, ContinueLeadsToTheLastPageWhereReturnFliesIntoTheItemAndGreets) {
    KZApp::SingleWindows windows(effects);
    auto& controller =
        windows.show<WelcomeWindowController>(KZApp::SingleWindows::Presentation::fadeIn, environment());
    QWidget* window = controller.window();
    WelcomeScreen& screen = controller.screen();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(420, 460));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto* titles = screen.findChild<QWidget*>("welcomeTitleLines");
    auto* icon = screen.findChild<QLabel*>("welcomeIcon");
    EXPECT_TRUE(titles->isVisible());
    EXPECT_TRUE(icon->isVisible());

    QTest::keyClick(button(screen, "welcomeContinue"), Qt::Key_Return);
    QTest::keyClick(&screen, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(screen.isLastPage()) << "Return does nothing on the first page";
    EXPECT_TRUE(window->isVisible()) << "nor does Control+W: the window has no close button";

    QTest::mouseClick(button(screen, "welcomeContinue"), Qt::LeftButton);
    ASSERT_TRUE(screen.isLastPage());
    EXPECT_FALSE(titles->isVisible()) << "the title lines belong to the first page";
    EXPECT_TRUE(icon->isVisible());
    EXPECT_TRUE(button(screen, "welcomeGetStarted")->isVisible());

    QTest::keyClick(button(screen, "welcomeGetStarted"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible()) << "the snapshot takes the window's place";
    EXPECT_EQ(snapshotsOnScreen(), 1);
    expectGreeting(screen, item);
    EXPECT_EQ(snapshotsOnScreen(), 0);
    EXPECT_FALSE(window->isVisible());

    screen.getStarted();
    QTest::qWait(300);
    EXPECT_EQ(suite->object("KZ_Tooltip_statusBarButtonWelcomePopover"), Prefs::StoredObject(1))
        << "Get Started runs once";
}

TEST_F(WelcomeTest, UnderReducedMotionTheWindowClosesWithoutFlyingAndTheGreetingStillShows) {
    effects->reducedMotion = true;
    KZApp::SingleWindows windows(effects);
    auto& controller =
        windows.show<WelcomeWindowController>(KZApp::SingleWindows::Presentation::plain, environment());
    controller.screen().showLastPage();
    controller.screen().getStarted();
    EXPECT_TRUE(controller.window()->isVisible()) << "it stays a moment";
    EXPECT_EQ(snapshotsOnScreen(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.window()->isVisible(); }, 3000));
    EXPECT_EQ(snapshotsOnScreen(), 0) << "nothing flies";
    expectGreeting(controller.screen(), item);
}

TEST_F(WelcomeTest, KeyboardStartsOnContinueAndTabVisitsOnlyVisibleControls) {
    KZApp::SingleWindows windows(effects);
    auto& controller =
        windows.show<WelcomeWindowController>(KZApp::SingleWindows::Presentation::plain, environment());
    QWidget* window = controller.window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QPushButton* continueButton = button(controller.screen(), "welcomeContinue");
    ASSERT_EQ(QApplication::focusWidget(), continueButton);
    QStyleOptionButton option;
    option.initFrom(continueButton);
    EXPECT_TRUE(option.state.testFlag(QStyle::State_HasFocus));
    EXPECT_TRUE(option.state.testFlag(QStyle::State_KeyboardFocusChange)) << "styles draw the focus then";

    QList<QWidget*> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    for (QWidget* stop : visited) {
        EXPECT_NE(stop, &controller.screen()) << "no stop without a visible control";
        EXPECT_TRUE(qobject_cast<QAbstractButton*>(stop)) << stop->metaObject()->className();
    }
    EXPECT_TRUE(visited.contains(continueButton));
}

TEST_F(WelcomeTest, LastPageKeepsAFlexibleSpaceBetweenTheNoteAndGetStarted) {
    KZApp::SingleWindows windows(effects);
    auto& controller =
        windows.show<WelcomeWindowController>(KZApp::SingleWindows::Presentation::plain, environment());
    WelcomeScreen& screen = controller.screen();
    screen.showLastPage();
    QCoreApplication::processEvents();
    auto* note = screen.findChild<QLabel*>("welcomeNote");
    QPushButton* getStarted = button(screen, "welcomeGetStarted");
    const QRect noteFrame(note->mapTo(&screen, QPoint()), note->size());
    const QRect buttonFrame(getStarted->mapTo(&screen, QPoint()), getStarted->size());
    EXPECT_GT(buttonFrame.top() - noteFrame.bottom(), 40) << "not glued to the button";
    EXPECT_GE(buttonFrame.bottom(), WelcomeScreen::height - 2 * 16 - 10 - 2)
        << "the button keeps to the bottom";
    const QRect iconFrame = screen.findChild<QLabel*>("welcomeIcon")->geometry();
    EXPECT_LT(noteFrame.top() - iconFrame.bottom(), 20) << "no empty band above the note";
}

// The first line of the words that wrap last at `width`.
QString lastLine(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QString last;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        last = text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return last;
}

TEST(BalancedLinesTest, WrapsIntoTheSameNumberOfLinesWithoutALoneLastWord) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    const QString text = QStringLiteral("Put your most important task or goal in the panel today");
    // Wide enough for all but the last word.
    const int full = QFontMetrics(font).horizontalAdvance(text.left(text.lastIndexOf(u' '))) + 2;
    ASSERT_EQ(wrappedLineCount(text, font, full), 2);
    ASSERT_EQ(lastLine(text, font, full), "today") << "the unbalanced wrap this guards against";
    const int balanced = balancedWidth(text, font, full);
    EXPECT_LT(balanced, full);
    EXPECT_EQ(wrappedLineCount(text, font, balanced), 2);
    EXPECT_EQ(wrappedLineCount(text, font, balanced - 1), 3) << "the narrowest such width";
    EXPECT_GE(lastLine(text, font, balanced).count(u' '), 2);
    EXPECT_EQ(balancedWidth(QStringLiteral("One line"), font, full), full) << "a single line keeps the width";
}

TEST_F(WelcomeTest, WithoutAHostingWindowOrAKnownItemTheGreetingShowsAtTheTopRight) {
    auto env = environment();
    env.itemFrame = [] { return std::optional<QRect>(); };
    WelcomeScreen screen(env);
    screen.showLastPage();
    screen.getStarted();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    expectGreeting(screen, WelcomeScreen::itemAnchor(std::nullopt));
    EXPECT_EQ(WelcomeScreen::itemAnchor(std::nullopt).topLeft(), area.topRight());
    EXPECT_LE(screen.greeting()->popover()->frameGeometry().right(), area.right());
}

} // namespace
