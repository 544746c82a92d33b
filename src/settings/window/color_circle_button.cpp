#include "settings/window/color_circle_button.h"

#include "settings/window/symbols.h"

#include <QEasingCurve>
#include <QPainter>
#include <QPainterPath>

namespace zendra::Settings {

namespace {

constexpr int glowRadius = 4; // room around the disc for the glow and the hover growth

void animate(QVariantAnimation& animation, double from, double to, int milliseconds) {
    animation.stop();
    animation.setStartValue(from);
    animation.setEndValue(to);
    animation.setDuration(milliseconds);
    animation.start();
}

} // namespace

ColorCircleButton::ColorCircleButton(const QColor& color, bool showIcon, int size, QWidget* parent)
    : QAbstractButton(parent), color_(color), showIcon_(showIcon), size_(size) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    for (auto* animation : {&glowAnimation_, &scaleAnimation_}) {
        animation->setEasingCurve(QEasingCurve::InOutQuad);
    }
    connect(&glowAnimation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        glow_ = value.toDouble();
        update();
    });
    connect(&scaleAnimation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        scale_ = value.toDouble();
        update();
    });
}

QSize ColorCircleButton::sizeHint() const {
    return QSize(size_ + 2 * glowRadius, size_ + 2 * glowRadius);
}

void ColorCircleButton::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) {
        return;
    }
    highlighted_ = highlighted;
    animate(glowAnimation_, glow_, highlighted ? 1.0 : 0.0, 500);
}

void ColorCircleButton::setHovered(bool hovered) {
    if (!isEnabled() || hovered == hovered_) {
        return;
    }
    hovered_ = hovered;
    animate(scaleAnimation_, scale_, hovered ? hoverScale : 1.0, 200);
}

void ColorCircleButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    setHovered(true);
}

void ColorCircleButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    setHovered(false);
}

void ColorCircleButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    p.translate(centre);
    p.scale(scale_, scale_);
    const QRectF disc(-size_ / 2.0, -size_ / 2.0, size_, size_);

    if (!showIcon_ && glow_ > 0.0) {
        // A soft shadow of the colour itself: rings fading outwards.
        for (int ring = glowRadius; ring > 0; --ring) {
            QColor shade = color_;
            shade.setAlphaF(float(color_.alphaF() * glow_ * 0.25 * (glowRadius - ring + 1) / glowRadius));
            p.setPen(Qt::NoPen);
            p.setBrush(shade);
            p.drawEllipse(disc.adjusted(-ring, -ring, ring, ring));
        }
    }

    QPainterPath circle;
    circle.addEllipse(disc);
    p.setClipPath(circle);
    if (showIcon_) {
        symbolIcon(Symbol::colorPanel).paint(&p, disc.toRect());
    } else {
        p.fillRect(disc, color_);
    }
    QColor outline = palette().color(QPalette::WindowText);
    outline.setAlphaF(0.3f);
    p.setPen(QPen(outline, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disc.adjusted(0.25, 0.25, -0.25, -0.25));
}

} // namespace zendra::Settings
