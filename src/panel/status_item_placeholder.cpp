#include "panel/status_item_placeholder.h"

#include <QFontDatabase>
#include <QPainterPath>

namespace zendra {

void drawPlaceholderSymbol(QPainter& painter, const QRectF& box, const QColor& color,
                           const QString& fontFamily) {
    const QRectF circle(box.center().x() - placeholderSymbolSize / 2,
                        box.center().y() - placeholderSymbolSize / 2, placeholderSymbolSize,
                        placeholderSymbolSize);

    QFont digitFont =
        fontFamily.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont) : QFont(fontFamily);
    digitFont.setPixelSize(qRound(placeholderSymbolSize * 0.7));
    digitFont.setWeight(QFont::DemiBold);

    // The digit's outline, centred on the circle by its ink, is subtracted so the panel shows through.
    QPainterPath digit;
    digit.addText(0, 0, digitFont, QStringLiteral("1"));
    const QRectF ink = digit.boundingRect();
    digit.translate(circle.center() - ink.center());
    QPainterPath symbol;
    symbol.addEllipse(circle);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(symbol.subtracted(digit));
    painter.restore();
}

} // namespace zendra
