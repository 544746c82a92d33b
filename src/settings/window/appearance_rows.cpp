#include "settings/window/appearance_rows.h"

#include "settings/catalogue.h"
#include "settings/window/info_popover_button.h"
#include "settings/window/secondary_text_style.h"
#include "settings/window/step_slider.h"
#include "settings/window/symbols.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace zendra::Settings {

namespace {

constexpr int valueLabelWidth = 26;

QLabel* symbolLabel(Symbol symbol, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(symbolIcon(symbol).pixmap(12, 12));
    return label;
}

} // namespace

MaximumWidthSetting::MaximumWidthSetting(QWidget* parent)
    : QWidget(parent), slider_(new StepSlider(60, 600, 10, this)), value_(new QLabel(this)),
      width_(Settings::maximumWidth(), this, [this] { render(); }) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    const QString title = QCoreApplication::translate("zendra::Settings", "Maximum width:");
    auto* label = new QLabel(title, this);
    label->setBuddy(slider_);
    slider_->setAccessibleName(title);
    row->addWidget(label);
    row->addWidget(slider_, 1);
    // Digits of equal width, so the number does not wobble while dragging.
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setPixelSize(value_->fontInfo().pixelSize());
    value_->setFont(digits);
    value_->setMinimumWidth(valueLabelWidth);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(value_);
    column->addLayout(row);

    auto* hint = new QLabel(
        QCoreApplication::translate(
            "zendra::Settings",
            "The panel may hide items that do not fit. Try choosing a width that will always fit."),
        this);
    applySecondaryTextStyle(*hint);
    column->addWidget(hint);

    slider_->setOnMoved([this](double value) { width_.setValue(value); });
    render();
}

void MaximumWidthSetting::render() {
    const double width = width_.value();
    slider_->setValue(width);
    value_->setText(QLocale().toString(width, 'g', QLocale::FloatingPointShortest));
}

VerticalAlignmentSetting::VerticalAlignmentSetting(QWidget* parent)
    : QWidget(parent), slider_(new StepSlider(-2, 2, 0.5, this)),
      info_(new InfoPopoverButton(
          QCoreApplication::translate(
              "zendra::Settings",
              "The desktop's panel has a bug on some systems where it doesn't correctly vertically "
              "center the panel text. This setting lets you manually correct it."),
          320, this)),
      offset_(Settings::menuBarTextVerticalAlignmentOffset(), this,
              [this] { slider_->setValue(offset_.value().value_or(0.0)); }) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    const QString title = QCoreApplication::translate("zendra::Settings", "Vertical text alignment:");
    auto* label = new QLabel(title, this);
    label->setBuddy(slider_);
    slider_->setAccessibleName(title);
    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(label);
    sliderRow->addWidget(symbolLabel(Symbol::arrowDown, this));
    sliderRow->addWidget(slider_, 1);
    sliderRow->addWidget(symbolLabel(Symbol::arrowUp, this));
    row->addLayout(sliderRow, 1);
    row->addWidget(info_);
    slider_->setOnMoved([this](double value) { offset_.setValue(value); });
    slider_->setValue(offset_.value().value_or(0.0));
}

PrefLineEdit::PrefLineEdit(Prefs::Key<QString> key, QWidget* parent)
    : QLineEdit(parent), text_(std::move(key), this, [this] {
          if (text() != text_.value()) {
              setText(text_.value());
          }
      }) {
    setText(text_.value());
    connect(this, &QLineEdit::textEdited, this, [this](const QString& edited) { text_.setValue(edited); });
}

} // namespace zendra::Settings
