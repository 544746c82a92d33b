#include "kit/fakes/fake_desktop_effects.h"
#include "kit/menu_bar_app_window.h"
#include "kit/single_windows.h"

#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendra;
using namespace std::chrono_literals;

namespace {

using KZApp::MenuBarAppWindow;
using KZApp::SingleWindows;

class PlainController : public KZApp::SingletonWindowController {
public:
    explicit PlainController(int* made) {
        ++*made;
        setWindow(std::make_unique<MenuBarAppWindow>());
    }
};

class OtherController final : public PlainController {
public:
    using PlainController::PlainController;
};

TEST(MenuBarAppWindowTest, KeyboardClosesAndMinimisesOnlyWhatTheWindowAllows) {
    MenuBarAppWindow window;
    EXPECT_EQ(window.geometry(), QRect(0, 0, 100, 100));
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible()) << "Escape closes only when asked to";
    window.shouldCloseOnEscapePress = true;
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());

    window.show();
    QTest::keyClick(&window, Qt::Key_W, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(window.isVisible()) << "only exactly Control+W";
    QTest::keyClick(&window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());

    MenuBarAppWindow fixed;
    fixed.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::FramelessWindowHint);
    fixed.shouldCloseOnEscapePress = true;
    fixed.show();
    QTest::keyClick(&fixed, Qt::Key_W, Qt::ControlModifier);
    QTest::keyClick(&fixed, Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(&fixed, Qt::Key_Escape);
    EXPECT_TRUE(fixed.isVisible());
    EXPECT_FALSE(fixed.isMinimized()) << "a window without close or minimise buttons stays";
    EXPECT_TRUE(fixed.close()) << "the program may still close it";
}

TEST(MenuBarAppWindowTest, StaysBelowTheTopOfTheAvailableAreaUnlessAllowedAbove) {
    const int top = QGuiApplication::primaryScreen()->availableGeometry().top();
    MenuBarAppWindow window;
    window.show();
    window.move(40, top - 30);
    EXPECT_EQ(window.frameGeometry().top(), top);
    EXPECT_EQ(window.x(), 40);

    window.allowedAboveMenuBar = true;
    window.move(40, top - 30);
    EXPECT_EQ(window.frameGeometry().top(), top - 30);
}

TEST(SingleWindowsTest, OneInstancePerClassFadingInOnlyWhereACompositorRuns) {
    auto effects = std::make_shared<test::FakeDesktopEffects>();
    SingleWindows windows(effects);
    int made = 0;
    EXPECT_EQ(windows.existing<PlainController>(), nullptr);

    auto& first = windows.show<PlainController>(SingleWindows::Presentation::fadeIn, &made);
    EXPECT_TRUE(first.window()->isVisible());
    EXPECT_DOUBLE_EQ(first.window()->windowOpacity(), 1.0) << "no compositor: shown at once";

    first.window()->close();
    effects->compositing = true;
    auto& again = windows.show<PlainController>(SingleWindows::Presentation::fadeIn, &made);
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(windows.existing<PlainController>(), &first);
    EXPECT_EQ(made, 1) << "the second request brings back the same window";
    EXPECT_TRUE(again.window()->isVisible());
    EXPECT_LT(again.window()->windowOpacity(), 0.5) << "fading in from transparent";
    EXPECT_TRUE(QTest::qWaitFor([&] { return again.window()->windowOpacity() == 1.0; }, 3000));

    auto& other = windows.controller<OtherController>(&made);
    EXPECT_NE(static_cast<PlainController*>(&other), &first) << "each class has its own instance";
    EXPECT_EQ(made, 2);
    EXPECT_FALSE(other.window()->isVisible()) << "made, not shown";
}

} // namespace
