#pragma once

#include "prefs/color/color_bridge.h"
#include "prefs/key.h"
#include "prefs/widgets/pref.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace zendra::Settings {

class ColorCircleButton;
class MenuBarColorPicker;
class Popover;

// The "Pick color" button and its popover: the preset colours (choosing one sets both the light and
// the dark colour; a preset is highlighted while both equal it), then a colour well for a light and
// one for a dark panel. The dark well shows the light colour while no dark colour is stored.
class ReusableMenuBarItemColorSetting : public QWidget {
public:
    ReusableMenuBarItemColorSetting(Prefs::Key<std::optional<QColor>> lightColor,
                                    Prefs::Key<std::optional<QColor>> darkColor,
                                    std::function<bool()> isPanelDark, QWidget* parent = nullptr);
    ~ReusableMenuBarItemColorSetting() override;

    ColorCircleButton* pickButton() const { return pickButton_; }
    bool isPopoverPresented() const { return presented_; }
    void presentPopover();
    const std::vector<ColorCircleButton*>& presets() const { return presets_; }
    MenuBarColorPicker* lightPicker() const { return lightPicker_; }
    MenuBarColorPicker* darkPicker() const { return darkPicker_; }

private:
    void render();

    ColorCircleButton* pickButton_;
    Popover* popover_;
    std::vector<ColorCircleButton*> presets_;
    MenuBarColorPicker* lightPicker_ = nullptr;
    MenuBarColorPicker* darkPicker_ = nullptr;
    bool presented_ = false;
    Prefs::Pref<std::optional<QColor>> light_;
    Prefs::Pref<std::optional<QColor>> dark_;
};

} // namespace zendra::Settings
