#pragma once

#include "kit/menu_bar_app_window.h"

#include <functional>

class QTabWidget;

namespace zendra::Settings {

class AppearanceSettings;
class GeneralSettings;
class ShortcutsSettings;

struct SettingsScreenEnvironment {
    std::function<bool()> isPanelDark; // none: a light panel
    bool hasGlobalShortcuts = true;    // false: the desktop gives no system-wide key grabs
};

// The settings window: tabs General, Appearance and Shortcuts, 460 pixels wide, as high as the
// selected tab needs. An ordinary window: it does not float above other programs' windows (and is not
// raised over Zendra's own either, since window managers such as xfwm4 give the focus to a window
// raised that way). Closing it (also with Escape or Ctrl+W) only hides it. Every control stores its
// change at once; there is nothing to apply or cancel.
class SettingsScreen : public KZApp::MenuBarAppWindow {
public:
    static constexpr int contentWidth = 460;

    using Environment = SettingsScreenEnvironment;

    explicit SettingsScreen(Environment environment = {}, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    GeneralSettings* general() const { return general_; }
    AppearanceSettings* appearance() const { return appearance_; }
    ShortcutsSettings* shortcuts() const { return shortcuts_; }

private:
    void fitSelectedTab();

    QTabWidget* tabs_;
    GeneralSettings* general_;
    AppearanceSettings* appearance_;
    ShortcutsSettings* shortcuts_;
};

} // namespace zendra::Settings
