#include "panel/glyph_compositor.h"

#include <QPainter>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

// The glyph runs of one laid-out line, a bold and an italic stretch among them.
QList<QGlyphRun> glyphRunsOf(const QString& text, double pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(pixelSize));
    QTextLayout layout(text, font);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    layout.setFormats({{0, 4, bold}, {9, 5, italic}});
    layout.beginLayout();
    layout.createLine().setLineWidth(1.0e6);
    layout.endLayout();
    return layout.glyphRuns();
}

QImage transparent(qreal ratio) {
    QImage image(static_cast<int>(260 * ratio), static_cast<int>(30 * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

// The cached coverage is blended where the painter would put each glyph, at every device pixel
// ratio and at any fraction of a pixel, so the picture is the painter's own, pixel for pixel.
TEST(GlyphCompositor, DrawsWhatThePainterDraws) {
    const QString text = QStringLiteral("Wave office AVA fine ffi T.");
    for (const qreal ratio : {1.0, 1.25, 2.0, 3.0}) {
        for (const double pixelSize : {11.0, 17.0, 60.0}) { // 60 from ratio 1.25 is left to the painter
            const QList<QGlyphRun> runs = glyphRunsOf(text, pixelSize);
            for (const double shift : {0.0, 0.13, 0.49, 0.51, 0.77, 0.99, -2.3}) {
                const QPointF origin(4.0 + shift, 3.0 + shift / 3.0);
                const QColor color = shift < 0.5 ? QColor(20, 30, 200) : QColor(250, 250, 250, 160);
                QImage blended = transparent(ratio);
                std::vector<GlyphDrawing> drawings;
                for (const QGlyphRun& run : runs) {
                    drawings.push_back({origin, run, color});
                }
                drawGlyphRuns(blended, drawings);

                QImage painted = transparent(ratio);
                {
                    QPainter painter(&painted);
                    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
                    painter.setPen(color);
                    for (const QGlyphRun& run : runs) {
                        painter.drawGlyphRun(origin, run);
                    }
                }
                ASSERT_EQ(blended, painted)
                    << "ratio " << ratio << ", size " << pixelSize << ", shift " << shift;
            }
        }
    }
}
