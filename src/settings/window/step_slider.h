#pragma once

#include <QSlider>
#include <functional>

namespace zendra::Settings {

// A horizontal slider over a range of numbers that moves in fixed steps. Every position the user
// gives it, while dragging too, is reported through the onMoved callback; setValue() only moves the
// knob (to the nearest step inside the range) and reports nothing.
class StepSlider : public QSlider {
public:
    StepSlider(double minimum, double maximum, double step, QWidget* parent = nullptr);

    double minimumValue() const { return minimum_; }
    double maximumValue() const { return maximum_; }
    double step() const { return step_; }

    double value() const;
    void setValue(double value);
    void setOnMoved(std::function<void(double)> onMoved) { onMoved_ = std::move(onMoved); }

private:
    double minimum_;
    double maximum_;
    double step_;
    bool settingValue_ = false;
    std::function<void(double)> onMoved_;
};

} // namespace zendra::Settings
