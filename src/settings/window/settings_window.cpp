#include "settings/window/settings_window.h"

#include "base/main_queue.h"

namespace zendra::Settings {

struct SettingsWindow::State {
    Environment environment;
    std::unique_ptr<SettingsScreen> screen;

    void open() {
        if (!screen) {
            screen = std::make_unique<SettingsScreen>(environment.screen);
        }
        if (environment.activate) {
            environment.activate(*screen);
        } else {
            screen->show();
            screen->raise();
            screen->activateWindow();
        }
    }
};

SettingsWindow::SettingsWindow(Environment environment) : state_(std::make_shared<State>()) {
    state_->environment = std::move(environment);
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::open() {
    dispatchToMain([weak = std::weak_ptr<State>(state_)] {
        if (const auto state = weak.lock()) {
            state->open();
        }
    });
}

SettingsScreen* SettingsWindow::screen() const {
    return state_->screen.get();
}

} // namespace zendra::Settings
