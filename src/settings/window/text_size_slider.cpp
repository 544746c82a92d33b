#include "settings/window/text_size_slider.h"

#include "settings/window/reset_or_undo_button.h"
#include "settings/window/step_slider.h"
#include "settings/window/symbols.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>

namespace zendra::Settings {

namespace {

QLabel* symbolLabel(Symbol symbol, int size, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(symbolIcon(symbol).pixmap(size, size));
    return label;
}

} // namespace

TextSizeSlider::TextSizeSlider(const QString& label, Prefs::Key<double> size, double defaultSize,
                               double minimum, double maximum, QWidget* parent)
    : QWidget(parent), slider_(new StepSlider(minimum, maximum, 1.0, this)),
      reset_(new ResetOrUndoButton(
          QCoreApplication::translate("zendra::Settings", "Reset"), [this] { size_.setValue(defaultSize_); },
          this)),
      defaultSize_(defaultSize), size_(std::move(size), this, [this] { render(); }) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(label, this);
    title->setBuddy(slider_);
    slider_->setAccessibleName(label);
    row->addWidget(title);
    row->addWidget(symbolLabel(Symbol::textSmaller, 12, this));
    row->addWidget(slider_, 1);
    row->addWidget(symbolLabel(Symbol::textLarger, 18, this));
    row->addSpacing(4);
    row->addWidget(reset_);
    slider_->setOnMoved([this](double value) { size_.setValue(value); });
    render();
}

void TextSizeSlider::render() {
    const double size = size_.value();
    slider_->setValue(size);
    reset_->setEnabled(size != defaultSize_);
}

} // namespace zendra::Settings
