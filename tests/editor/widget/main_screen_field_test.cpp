#include "editor/fakes/main_screen_url_opener_fake.h"
#include "editor/main_screen.h"
#include "kit/app_runs.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/catalogue.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using zendra::MainScreen;

class MainScreenFieldTest : public testing::Test {
protected:
    void SetUp() override {
        Prefs::standardSuite()->removeAll();
        flush();
    }
    void TearDown() override {
        flush();
        Prefs::standardSuite()->removeAll();
    }

    static void flush() {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    static MainScreen::Environment environment(int launchCount, KZApp::AppRuns* appRuns = nullptr) {
        MainScreen::Environment env;
        env.launchCount = launchCount;
        env.appRuns = appRuns;
        env.urlOpener = std::make_shared<zendra::test::FakeUrlOpener>();
        return env;
    }

    static void showAndFocus(MainScreen& screen) {
        screen.show();
        screen.activateWindow();
        screen.field()->setFocus();
        flush();
    }

    static QString storedText() { return Prefs::get(Settings::text()); }
};

// Typing, Return and a click on the item are covered by the binary's end-to-end tests; these are the
// paths those cannot reach.
TEST_F(MainScreenFieldTest, PastedLinesAreJoinedInFieldAndStore) {
    MainScreen screen(environment(5));
    showAndFocus(screen);
    QTest::keyClicks(screen.field(), QStringLiteral("abc"));
    QTest::keyClick(screen.field(), Qt::Key_Backspace);
    EXPECT_EQ(storedText(), QStringLiteral("ab"));

    QGuiApplication::clipboard()->setText(QStringLiteral("one\r\ntwo\u2028three"));
    screen.field()->setCursorPosition(1);
    QTest::keyClick(screen.field(), Qt::Key_V, Qt::ControlModifier);

    EXPECT_EQ(storedText(), QStringLiteral("aonetwothreeb"));
    EXPECT_EQ(screen.field()->text(), QStringLiteral("aonetwothreeb"));
    // The cursor stays after the pasted text, not shifted by the removed breaks.
    EXPECT_EQ(screen.field()->cursorPosition(), 12);

    // Escape and the dismiss button hide like Return, and the text survives.
    QTest::keyClick(screen.field(), Qt::Key_Escape);
    EXPECT_FALSE(screen.isVisible());
    showAndFocus(screen);
    QTest::mouseClick(screen.dismissButton(), Qt::LeftButton);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(storedText(), QStringLiteral("aonetwothreeb"));
}

TEST_F(MainScreenFieldTest, OutsideWritesShowWithoutWritingBackOrMovingTheCursor) {
    Prefs::set(Settings::text(), QStringLiteral("before"));
    MainScreen screen(environment(5));
    showAndFocus(screen);
    EXPECT_EQ(screen.field()->text(), QStringLiteral("before"));

    screen.openUrl(QStringLiteral("zendra:?text=%20from%20elsewhere%0Asecond"));
    screen.openUrl(QStringLiteral("http:?text=other"));
    flush();
    EXPECT_EQ(screen.field()->text(), QStringLiteral("from elsewhere"));

    screen.field()->setCursorPosition(4);
    Prefs::set(Settings::text(), QStringLiteral("from elsewhere"));
    flush();
    EXPECT_EQ(screen.field()->cursorPosition(), 4);
    EXPECT_FALSE(screen.field()->isUndoAvailable());

    // A stored value with line breaks (another process) shows as it is and is not rewritten.
    Prefs::set(Settings::text(), QStringLiteral("a\nb"));
    flush();
    EXPECT_EQ(storedText(), QStringLiteral("a\nb"));
}

TEST_F(MainScreenFieldTest, PlaceholderAndCloseTipBelongToTheFirstLaunches) {
    const auto suite = Prefs::Suite::makeInMemory();
    {
        KZApp::AppRuns firstRun(suite);
        MainScreen screen(environment(1, &firstRun));
        EXPECT_EQ(screen.field()->placeholderText(), QStringLiteral("What is the zendra?"));
        showAndFocus(screen);
        EXPECT_TRUE(screen.closeTip()->isVisible());
        EXPECT_TRUE(screen.closeTip()->text().contains(QStringLiteral("monospace\">Return</span>")));
        // Not once per run: it stays for every showing during the first run.
        screen.hide();
        showAndFocus(screen);
        EXPECT_TRUE(screen.closeTip()->isVisible());
    }
    KZApp::AppRuns secondRun(suite);
    MainScreen screen(environment(2, &secondRun));
    EXPECT_FALSE(screen.field()->placeholderText().isEmpty());
    showAndFocus(screen);
    EXPECT_FALSE(screen.closeTip()->isVisible());
    EXPECT_TRUE(MainScreen(environment(3)).field()->placeholderText().isEmpty());
}

TEST_F(MainScreenFieldTest, DraggingTheBackgroundMovesTheWindow) {
    MainScreen screen(environment(5));
    screen.move(100, 100);
    showAndFocus(screen);
    const QPoint start = screen.pos();
    const QPoint grip = screen.mapToGlobal(QPoint(4, 4));
    const auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(local), QPointF(grip + (local - QPoint(4, 4))), Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&screen, &event);
    };
    // The offscreen platform cannot move windows itself, so this takes the manual path.
    send(QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton);
    send(QEvent::MouseMove, {54, 24}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {54, 24}, Qt::NoButton);
    EXPECT_EQ(screen.pos() - start, QPoint(50, 20));
}

} // namespace
