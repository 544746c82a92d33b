#pragma once

#include "prefs/key.h"
#include "prefs/widgets/pref.h"

#include <QString>
#include <QWidget>

class QLabel;

namespace zendra::Settings {

class ResetOrUndoButton;
class StepSlider;

// A labelled slider over a text size in steps of 1, with a small and a large letter at its ends, and
// a Reset button back to `defaultSize` that is disabled while the size equals it. Bound to `size`.
class TextSizeSlider : public QWidget {
public:
    TextSizeSlider(const QString& label, Prefs::Key<double> size, double defaultSize, double minimum,
                   double maximum, QWidget* parent = nullptr);

    StepSlider* slider() const { return slider_; }
    ResetOrUndoButton* resetButton() const { return reset_; }

private:
    void render();

    StepSlider* slider_;
    ResetOrUndoButton* reset_;
    double defaultSize_;
    Prefs::Pref<double> size_;
};

} // namespace zendra::Settings
