#include "welcome/welcome_window_controller.h"

#include "base/identity.h"
#include "kit/menu_bar_app_window.h"

#include <QPointer>
#include <QVBoxLayout>

namespace zendra {

WelcomeWindowController::WelcomeWindowController(WelcomeScreen::Environment environment) {
    auto window = std::make_unique<KZApp::MenuBarAppWindow>();
    environment.hostingWindow = [weak = QPointer<QWidget>(window.get())]() -> QWidget* {
        return weak.data();
    };
    screen_ = new WelcomeScreen(std::move(environment), 100, window.get());
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(screen_);

    window->setObjectName(QStringLiteral("welcomeWindow"));
    window->setWindowTitle(QString::fromUtf8(identity::applicationName));
    window->setMovableByWindowBackground(true);
    // No title bar and no close, minimise or zoom controls; floating above other windows.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::FramelessWindowHint |
                           Qt::WindowStaysOnTopHint);
    window->setFixedSize(WelcomeScreen::width, WelcomeScreen::height);
    window->center();
    setWindow(std::move(window));
}

} // namespace zendra
