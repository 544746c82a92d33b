#pragma once

#include <QWidget>
#include <functional>

namespace zendra::Settings {

class MaximumWidthSetting;
class PrefLineEdit;
class ReusableMenuBarItemColorSetting;
class TextSizeSlider;
class VerticalAlignmentSetting;

// The Appearance tab: every setting that shapes the panel item, each stored the moment it changes.
// `isPanelDark` tells the colour wells which standard text colour the panel uses now.
class AppearanceSettings : public QWidget {
public:
    explicit AppearanceSettings(std::function<bool()> isPanelDark, QWidget* parent = nullptr);

    MaximumWidthSetting* maximumWidth() const { return maximumWidth_; }
    TextSizeSlider* textSize() const { return textSize_; }
    ReusableMenuBarItemColorSetting* color() const { return color_; }
    PrefLineEdit* prefix() const { return prefix_; }
    PrefLineEdit* suffix() const { return suffix_; }
    QWidget* legibleLinks() const { return legibleLinks_; }
    VerticalAlignmentSetting* verticalAlignment() const { return verticalAlignment_; }

    // The text-size slider's range: the system font size -4 to +6.
    static double minimumTextSize();
    static double maximumTextSize();

private:
    MaximumWidthSetting* maximumWidth_;
    TextSizeSlider* textSize_;
    ReusableMenuBarItemColorSetting* color_;
    PrefLineEdit* prefix_;
    PrefLineEdit* suffix_;
    QWidget* legibleLinks_;
    VerticalAlignmentSetting* verticalAlignment_;
};

} // namespace zendra::Settings
