#pragma once

// The rows of the Appearance tab that are bound to one key each.

#include "prefs/key.h"
#include "prefs/widgets/pref.h"

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;

namespace zendra::Settings {

class InfoPopoverButton;
class StepSlider;

// "Maximum width:" from 60 to 600 in steps of 10, with the value beside the slider and a hint below.
class MaximumWidthSetting : public QWidget {
public:
    explicit MaximumWidthSetting(QWidget* parent = nullptr);

    StepSlider* slider() const { return slider_; }
    QLabel* valueLabel() const { return value_; }

private:
    void render();

    StepSlider* slider_;
    QLabel* value_;
    Prefs::Pref<double> width_;
};

// "Vertical text alignment:" from -2 to 2 in steps of 0.5. No stored correction shows as 0; moving
// the slider always stores a number.
class VerticalAlignmentSetting : public QWidget {
public:
    explicit VerticalAlignmentSetting(QWidget* parent = nullptr);

    StepSlider* slider() const { return slider_; }
    InfoPopoverButton* infoButton() const { return info_; }

private:
    StepSlider* slider_;
    InfoPopoverButton* info_;
    Prefs::Pref<std::optional<double>> offset_;
};

// A text field bound to a text key: every edit is stored at once, and the field follows the key.
class PrefLineEdit : public QLineEdit {
public:
    explicit PrefLineEdit(Prefs::Key<QString> key, QWidget* parent = nullptr);

private:
    Prefs::Pref<QString> text_;
};

} // namespace zendra::Settings
