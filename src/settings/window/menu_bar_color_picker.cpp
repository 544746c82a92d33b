#include "settings/window/menu_bar_color_picker.h"

#include "settings/window/reset_or_undo_button.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace zendra::Settings {

ColorWell::ColorWell(QWidget* parent) : QToolButton(parent) {
    setFixedSize(44, 24);
    connect(this, &QToolButton::clicked, this, [this] {
        const QColor color =
            QColorDialog::getColor(shown_, this, accessibleName(), QColorDialog::ShowAlphaChannel);
        if (color.isValid()) {
            choose(color);
        }
    });
}

void ColorWell::setShownColor(const QColor& color) {
    shown_ = color;
    update();
}

void ColorWell::choose(const QColor& color) {
    setShownColor(color);
    if (onChosen_) {
        onChosen_(color);
    }
}

void ColorWell::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    QPainter p(this);
    const QRect face = rect().adjusted(5, 5, -5, -5);
    // A checkerboard under the colour makes its opacity visible.
    constexpr int square = 4;
    for (int y = face.top(); y <= face.bottom(); y += square) {
        for (int x = face.left(); x <= face.right(); x += square) {
            const bool dark = ((x - face.left()) / square + (y - face.top()) / square) % 2 == 1;
            p.fillRect(QRect(x, y, square, square).intersected(face),
                       dark ? QColor(200, 200, 200) : Qt::white);
        }
    }
    p.fillRect(face, shown_);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(face.adjusted(0, 0, -1, -1));
}

MenuBarColorPicker::MenuBarColorPicker(const QString& label, Prefs::Key<std::optional<QColor>> key,
                                       std::function<bool()> isPanelDark, QWidget* parent)
    : QWidget(parent), label_(new QLabel(label, this)), well_(new ColorWell(this)),
      reset_(new ResetOrUndoButton(
          QCoreApplication::translate("zendra::Settings", "Reset"), [this] { color_.setValue(std::nullopt); },
          this)),
      isPanelDark_(std::move(isPanelDark)), color_(std::move(key), this, [this] { render(); }) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label_);
    row->addWidget(well_);
    row->addSpacing(4);
    row->addWidget(reset_);
    row->addStretch();
    well_->setAccessibleName(label);
    well_->setOnChosen([this](const QColor& color) { color_.setValue(color); });

    appearanceTimer_.setInterval(1000);
    connect(&appearanceTimer_, &QTimer::timeout, this, [this] { followAppearance(); });
    render();
}

void MenuBarColorPicker::setDefaultColor(const std::optional<QColor>& color) {
    defaultColor_ = color;
    render();
}

QColor MenuBarColorPicker::shownColor() const {
    return color_.value().value_or(defaultColor_.value_or(appearanceDefault_));
}

void MenuBarColorPicker::render() {
    well_->setShownColor(shownColor());
    reset_->setEnabled(color_.value().has_value());
}

void MenuBarColorPicker::followAppearance() {
    const bool dark = isPanelDark_ && isPanelDark_();
    if (dark_ == dark) {
        return;
    }
    dark_ = dark;
    appearanceDefault_ = dark ? QColor(Qt::white) : QColor(Qt::black);
    render();
}

void MenuBarColorPicker::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followAppearance();
    appearanceTimer_.start();
}

void MenuBarColorPicker::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    appearanceTimer_.stop();
}

} // namespace zendra::Settings
