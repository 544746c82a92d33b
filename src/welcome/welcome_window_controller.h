#pragma once

// The welcome window: a floating, centred window without a title bar or close, minimise and resize
// controls, moved by dragging its background, showing WelcomeScreen. "Get Started" closes it.

#include "kit/singleton_window_controller.h"
#include "welcome/welcome_screen.h"

namespace zendra {

class WelcomeWindowController final : public KZApp::SingletonWindowController {
public:
    // `environment.hostingWindow` is set here, to the window this controller makes.
    explicit WelcomeWindowController(WelcomeScreen::Environment environment);

    WelcomeScreen& screen() const { return *screen_; }

private:
    WelcomeScreen* screen_;
};

} // namespace zendra
