#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace zendra {

// The symbol shown when there is no visible text: a filled circle with the digit one cut out of it,
// drawn at 15 pixels with a semibold digit.
inline constexpr double placeholderSymbolSize = 15.0;

// Draws the symbol centred in `box`.
void drawPlaceholderSymbol(QPainter& painter, const QRectF& box, const QColor& color,
                           const QString& fontFamily);

} // namespace zendra
