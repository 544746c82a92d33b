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

QImage transparent(qreal ratio, int width = 260, int height = 30) {
    QImage image(static_cast<int>(width * ratio), static_cast<int>(height * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

std::vector<GlyphDrawing> drawingsOf(const QList<QGlyphRun>& runs, QPointF origin, const QColor& color) {
    std::vector<GlyphDrawing> drawings;
    for (const QGlyphRun& run : runs) {
        drawings.push_back({origin, run, color});
    }
    return drawings;
}

QImage painted(QImage image, const std::vector<GlyphDrawing>& drawings) {
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    for (const GlyphDrawing& drawing : drawings) {
        painter.setPen(drawing.color);
        painter.drawGlyphRun(drawing.origin, drawing.run);
    }
    return image;
}

} // namespace

// The cached coverage is blended where the painter would put each glyph, at every device pixel
// ratio and at any fraction of a pixel, so the picture is the painter's own, pixel for pixel.
TEST(GlyphCompositor, DrawsWhatThePainterDraws) {
    const QString text = QStringLiteral("Wave office AVA fine ffi T.");
    for (const qreal ratio : {1.0, 1.25, 2.0, 3.0}) {
        for (const double pixelSize : {11.0, 17.0, 60.0}) { // 60 from ratio 1.25 is left to the painter
            QList<QGlyphRun> runs = glyphRunsOf(text, pixelSize);
            // The first run again with its glyphs over each other, over the others too.
            QGlyphRun squeezed = runs.front();
            QList<QPointF> positions = squeezed.positions();
            for (qsizetype i = 0; i < positions.size(); ++i) {
                positions[i].rx() = 30.0 + 0.3 * pixelSize * static_cast<double>(i);
            }
            squeezed.setPositions(positions);
            runs.append(squeezed);
            for (const double shift : {0.0, 0.13, 0.49, 0.51, 0.77, 0.99, -2.3}) {
                const QPointF origin(4.0 + shift, 3.0 + shift / 3.0);
                const QColor color = shift < 0.5 ? QColor(20, 30, 200) : QColor(250, 250, 250, 160);
                const std::vector<GlyphDrawing> drawings = drawingsOf(runs, origin, color);
                const QImage blended = glyphPicture(transparent(ratio).size(), ratio, drawings);
                ASSERT_EQ(blended, painted(transparent(ratio), drawings))
                    << "ratio " << ratio << ", size " << pixelSize << ", shift " << shift;
            }
        }
    }
}

// Each picture starts from the columns the one before shares with it: typing, deleting, a new colour
// at the end, a picture of another width, one changed after it was drawn, one with a struck run
// between all still come out as the painter draws them alone.
TEST(GlyphCompositor, StartsFromThePreviousPictureOnlyWhereItIsTheSame) {
    struct Step {
        QString text;
        int width = 260;
        QColor lastColor = QColor(20, 30, 200);
        bool struck = false;
        bool altered = false; // the caller draws on the picture afterwards
        int height = 30;
    };
    const std::vector<Step> steps{
        {QStringLiteral("Wave office")},
        {QStringLiteral("Wave office A")},
        {QStringLiteral("Wave office AVA fine ffi")},
        {QStringLiteral("Wave office AVA fine ffi"), 260, QColor(250, 250, 250, 160)},
        {QStringLiteral("Wave offi")},
        {QStringLiteral("Wave office AVA fine ffi T."), 120},
        {QStringLiteral("Wave office AVA fine ffi T."), 300, QColor(20, 30, 200), false, true},
        {QStringLiteral("Wave office AVA fine ffi T.")},
        {QStringLiteral("Wave office AVA"), 260, QColor(20, 30, 200), true},
        {QStringLiteral("Wave office AVA"), 260, QColor(20, 30, 200), true},
        {QStringLiteral("Wave office AVA f")},
        {QStringLiteral("Wave office AVA f"), 260, QColor(20, 30, 200), false, false, 20},
        {QStringLiteral("Wave office AVA f")},
    };
    for (const qreal ratio : {1.0, 2.0}) {
        QImage lastStruck;
        for (const Step& step : steps) {
            std::vector<GlyphDrawing> drawings =
                drawingsOf(glyphRunsOf(step.text, 17.0), {4.3, 3.1}, {20, 30, 200});
            drawings.back().color = step.lastColor;
            drawings.front().run.setStrikeOut(step.struck);
            QImage blended =
                glyphPicture(transparent(ratio, step.width, step.height).size(), ratio, drawings);
            if (step.struck) {
                // A struck run is the painter's to draw, line and all: drawn again, it is the same.
                if (!lastStruck.isNull()) {
                    ASSERT_EQ(blended, lastStruck) << "ratio " << ratio << ", struck again";
                }
                lastStruck = blended;
            } else {
                ASSERT_EQ(blended, painted(transparent(ratio, step.width, step.height), drawings))
                    << "ratio " << ratio << ", text " << step.text.toStdString() << ", height "
                    << step.height;
            }
            if (step.altered) {
                blended.fill(Qt::red);
            }
        }
    }
}
