#include "settings/window/switch_top_label_toggle_style.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QVBoxLayout>

namespace zendra::Settings {

namespace {

constexpr int switchWidth = 40;
constexpr int switchHeight = 24;
constexpr int labelPixelSize = 14;

// Draws a check box's indicator as a switch: a rounded track, filled with the highlight colour when
// on, and a round knob at the side of the state.
class SwitchStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        switch (metric) {
        case PM_IndicatorWidth:
            return switchWidth;
        case PM_IndicatorHeight:
            return switchHeight;
        case PM_CheckBoxLabelSpacing:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorCheckBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const bool on = option->state & State_On;
        const bool enabled = option->state & State_Enabled;
        const QRectF track = QRectF(option->rect).adjusted(1, 1, -1, -1);
        const double radius = track.height() / 2;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(option->palette.color(QPalette::Mid), 1));
        painter->setBrush(on ? option->palette.color(QPalette::Highlight)
                             : option->palette.color(QPalette::Button));
        painter->setOpacity(enabled ? 1.0 : 0.5);
        painter->drawRoundedRect(track, radius, radius);
        const double knob = track.height() - 4;
        const double x = on ? track.right() - 2 - knob : track.left() + 2;
        painter->setBrush(Qt::white);
        painter->drawEllipse(QRectF(x, track.top() + 2, knob, knob));
        if (option->state & State_HasFocus) {
            painter->setBrush(Qt::NoBrush);
            painter->setPen(QPen(option->palette.color(QPalette::Highlight), 1.5));
            painter->drawRoundedRect(QRectF(option->rect).adjusted(0, 0, 0, 0), radius + 1, radius + 1);
        }
        painter->restore();
    }
};

} // namespace

SwitchTopLabelToggleStyle::SwitchTopLabelToggleStyle(QAbstractButton* toggle, QWidget* parent)
    : QWidget(parent), label_(new QLabel(toggle->text(), this)), toggle_(toggle) {
    QFont font = label_->font();
    font.setPixelSize(labelPixelSize);
    font.setWeight(QFont::Normal);
    label_->setFont(font);
    label_->setAlignment(Qt::AlignHCenter);

    toggle_->setParent(this);
    toggle_->setAccessibleName(toggle_->text());
    toggle_->setText(QString());
    auto* style = new SwitchStyle;
    style->setParent(this);
    toggle_->setStyle(style);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(label_, 0, Qt::AlignHCenter);
    column->addWidget(toggle_, 0, Qt::AlignHCenter);
}

} // namespace zendra::Settings
