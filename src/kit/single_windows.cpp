#include "kit/single_windows.h"

#include <QPropertyAnimation>

namespace zendra::KZApp {

SingleWindows::SingleWindows(std::shared_ptr<const DesktopEffects> effects)
    : effects_(effects ? std::move(effects) : std::make_shared<PlainDesktopEffects>()) {}

SingleWindows::~SingleWindows() = default;

void SingleWindows::present(SingletonWindowController& controller, Presentation presentation) {
    QWidget* window = controller.window();
    if (window == nullptr) {
        return;
    }
    const bool fade =
        presentation == Presentation::fadeIn && !window->isVisible() && effects_->isCompositing();
    if (fade) {
        window->setWindowOpacity(0.0);
    }
    if (window->isMinimized()) {
        window->showNormal();
    } else {
        window->show();
    }
    window->raise();
    if (controller.shouldActivateWindowWhenAppIsAccessory()) {
        window->activateWindow();
    }
    if (fade) {
        auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
        animation->setDuration(fadeInMilliseconds);
        animation->setStartValue(0.0);
        animation->setEndValue(1.0);
        animation->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
        window->setWindowOpacity(1.0);
    }
}

} // namespace zendra::KZApp
