#include "settings/window/step_slider.h"

#include <algorithm>
#include <cmath>

namespace zendra::Settings {

StepSlider::StepSlider(double minimum, double maximum, double step, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), minimum_(minimum), maximum_(std::max(minimum, maximum)), step_(step) {
    QSlider::setRange(0, int(std::floor((maximum_ - minimum_) / step_ + 1e-9)));
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QSlider::valueChanged, this, [this] {
        if (!settingValue_ && onMoved_) {
            onMoved_(value());
        }
    });
}

double StepSlider::value() const {
    return minimum_ + QSlider::value() * step_;
}

void StepSlider::setValue(double value) {
    const int position = int(std::lround((value - minimum_) / step_));
    settingValue_ = true;
    QSlider::setValue(std::clamp(position, QSlider::minimum(), QSlider::maximum()));
    settingValue_ = false;
}

} // namespace zendra::Settings
