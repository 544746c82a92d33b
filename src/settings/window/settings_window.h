#pragma once

#include "settings/window/settings_screen.h"

#include <functional>
#include <memory>

namespace zendra::Settings {

struct SettingsWindowEnvironment {
    SettingsScreenEnvironment screen;
    // Brings the window to the front with the keyboard focus; none: Qt's show, raise and activate.
    std::function<void(QWidget& window)> activate;
};

// The one settings window of the process: built on the first open, then only shown and hidden.
class SettingsWindow {
public:
    using Environment = SettingsWindowEnvironment;

    explicit SettingsWindow(Environment environment = {});
    ~SettingsWindow();
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    // Opens the window, or brings it to the front, on the next turn of the main queue; the call
    // returns at once and may come from any thread. Nothing happens once this object is gone.
    void open();

    // The window, once it has been opened.
    SettingsScreen* screen() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace zendra::Settings
