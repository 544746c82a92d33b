#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QVariantAnimation>

namespace zendra::Settings {

// A round button: a colour wheel (showIcon) or a disc of `color`, with a faint outline. A
// highlighted disc casts a glow of its own colour; the button grows by 7 % while the pointer is over
// it (when enabled). Both changes are animated.
class ColorCircleButton : public QAbstractButton {
public:
    static constexpr double hoverScale = 1.07;

    ColorCircleButton(const QColor& color, bool showIcon, int size, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    bool showsIcon() const { return showIcon_; }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    bool isHovered() const { return hovered_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);

    QColor color_;
    bool showIcon_;
    int size_;
    bool highlighted_ = false;
    bool hovered_ = false;
    double glow_ = 0.0;  // 0..1, the highlight as drawn
    double scale_ = 1.0; // as drawn
    QVariantAnimation glowAnimation_;
    QVariantAnimation scaleAnimation_;
};

} // namespace zendra::Settings
