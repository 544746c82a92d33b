#include "settings/window/symbols.h"

#include <QConicalGradient>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QTransform>

namespace zendra::Settings {

namespace {

constexpr int side = 32; // drawn at 32 px; Qt scales down for smaller sizes

const char* themeName(Symbol symbol) {
    switch (symbol) {
    case Symbol::general:
        return "preferences-system";
    case Symbol::appearance:
        return "preferences-desktop-theme";
    case Symbol::shortcuts:
        return "preferences-desktop-keyboard-shortcuts";
    case Symbol::arrowDown:
        return "go-down";
    case Symbol::arrowUp:
        return "go-up";
    case Symbol::reset:
        return "edit-undo";
    case Symbol::colorPanel:
        return "color-management";
    case Symbol::textSmaller:
    case Symbol::textLarger:
        break;
    }
    return nullptr;
}

void drawGear(QPainter& p) {
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        QTransform turn;
        turn.translate(16, 16).rotate(i * 45.0);
        teeth.addPolygon(turn.map(QPolygonF(QRectF(-3, -15, 6, 8))));
    }
    QPainterPath ring;
    ring.addEllipse(QPointF(16, 16), 10.5, 10.5);
    QPainterPath hole;
    hole.addEllipse(QPointF(16, 16), 4.5, 4.5);
    p.drawPath(ring.united(teeth).subtracted(hole));
}

void drawBrush(QPainter& p) {
    p.translate(16, 16);
    p.rotate(45);
    p.drawRoundedRect(QRectF(-3, -15, 6, 16), 2, 2);
    QPainterPath tip;
    tip.moveTo(-5, 3);
    tip.lineTo(5, 3);
    tip.quadTo(5, 11, 0, 15);
    tip.quadTo(-5, 11, -5, 3);
    p.drawPath(tip);
}

void drawKeyboard(QPainter& p, const QColor& color) {
    QPainterPath body;
    body.addRoundedRect(QRectF(2, 8, 28, 17), 3, 3);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 5; ++column) {
            body.addRect(QRectF(5 + column * 5, 11 + row * 5, 3, 3));
        }
    }
    body.addRect(QRectF(9, 21, 14, 2));
    body.setFillRule(Qt::OddEvenFill);
    p.fillPath(body, color);
}

void drawLetter(QPainter& p, int pixelSize) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QStringLiteral("A"));
}

void drawArrow(QPainter& p, bool up) {
    if (up) {
        p.translate(0, side);
        p.scale(1, -1);
    }
    p.drawRect(QRectF(13.5, 4, 5, 16));
    p.drawPolygon(QPolygonF({QPointF(6, 17), QPointF(26, 17), QPointF(16, 28)}));
}

void drawReset(QPainter& p, const QColor& color) {
    p.drawEllipse(QRectF(1, 1, 30, 30));
    QPen pen(QGuiApplication::palette().color(QPalette::Base), 3);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 9, 14, 14), 90 * 16, -240 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QGuiApplication::palette().color(QPalette::Base));
    p.drawPolygon(QPolygonF({QPointF(10, 4), QPointF(18, 9), QPointF(10, 14)}));
    p.setBrush(color);
}

void drawColorWheel(QPainter& p) {
    QConicalGradient wheel(QPointF(16, 16), 90);
    for (int i = 0; i <= 6; ++i) {
        wheel.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 230, 255));
    }
    p.setBrush(wheel);
    p.drawEllipse(QRectF(1, 1, 30, 30));
}

QPixmap drawn(Symbol symbol) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = QGuiApplication::palette().color(QPalette::WindowText);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    switch (symbol) {
    case Symbol::general:
        drawGear(p);
        break;
    case Symbol::appearance:
        drawBrush(p);
        break;
    case Symbol::shortcuts:
        drawKeyboard(p, color);
        break;
    case Symbol::textSmaller:
    case Symbol::textLarger:
        p.setPen(color);
        drawLetter(p, symbol == Symbol::textSmaller ? 16 : 28);
        break;
    case Symbol::arrowDown:
    case Symbol::arrowUp:
        drawArrow(p, symbol == Symbol::arrowUp);
        break;
    case Symbol::reset:
        drawReset(p, color);
        break;
    case Symbol::colorPanel:
        drawColorWheel(p);
        break;
    }
    return pixmap;
}

} // namespace

QIcon symbolIcon(Symbol symbol) {
    const QIcon fallback(drawn(symbol));
    const char* name = themeName(symbol);
    return name ? QIcon::fromTheme(QString::fromLatin1(name), fallback) : fallback;
}

} // namespace zendra::Settings
