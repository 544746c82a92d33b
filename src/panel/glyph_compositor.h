#pragma once

// Draws glyph runs on a transparent picture. Each glyph's coverage is drawn once by the painter at
// each of the places it can take within a pixel, kept, and blended in from then on: the panel item
// is drawn anew at every keystroke, and most of the painter's cost went to blending glyph masks. The
// columns left of the first glyph that changed since the last picture are copied from it. Runs with
// a line (underline, strike-out), colour glyphs and very large glyphs are drawn by the painter itself.

#include <QColor>
#include <QGlyphRun>
#include <QImage>
#include <QPointF>
#include <vector>

namespace zendra {

struct GlyphDrawing {
    QPointF origin; // logical; the run's positions are relative to it
    QGlyphRun run;
    QColor color;
};

// A transparent premultiplied ARGB picture of `size` device pixels at `ratio` device pixels per
// logical pixel, with `drawings` on it; a null picture when `size` is empty or cannot be had.
QImage glyphPicture(QSize size, qreal ratio, const std::vector<GlyphDrawing>& drawings);

} // namespace zendra
