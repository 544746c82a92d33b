#include "panel/glyph_compositor.h"

#include <QHashFunctions>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <cmath>
#include <unordered_map>

namespace zendra {

namespace {

// The painter puts a glyph at a quarter of a device pixel across; a coverage is kept for each
// quarter, and for each 64th down (one per baseline in practice), drawn where the painter would
// round it the same way.
constexpr int steps = 4;

// One glyph's coverage, the painter's drawing of it in opaque white.
struct Sprite {
    int left = 0; // of the coverage, from the whole device pixel of the glyph's origin
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uchar> coverage;
    // Each row's inked columns, [first, end): a glyph's rows are mostly empty at their ends.
    std::vector<std::pair<int, int>> inked;
    bool isCoverage = true; // false: a colour glyph, which only the painter draws
};

struct SpriteKey {
    QRawFont font;
    quint32 glyph = 0;
    qreal ratio = 1.0;
    int step = 0; // across + steps × down

    bool operator==(const SpriteKey& other) const {
        return glyph == other.glyph && step == other.step && ratio == other.ratio && font == other.font;
    }
};

struct SpriteKeyHash {
    size_t operator()(const SpriteKey& key) const {
        return qHashMulti(0, key.font, key.glyph, key.ratio, key.step);
    }
};

Sprite drawSprite(const QRawFont& font, quint32 glyph, qreal ratio, int across, int down) {
    // Room around the outline's box for hinting and antialiasing.
    constexpr int margin = 4;
    const QRectF bounds = font.boundingRect(glyph);
    const int padX = margin + static_cast<int>(std::ceil(std::max(0.0, -bounds.left()) * ratio));
    const int padY = margin + static_cast<int>(std::ceil(std::max(0.0, -bounds.top()) * ratio));
    const int width = padX + static_cast<int>(std::ceil(std::max(0.0, bounds.right()) * ratio)) + margin + 1;
    const int height =
        padY + static_cast<int>(std::ceil(std::max(0.0, bounds.bottom()) * ratio)) + margin + 1;

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes({glyph});
        run.setPositions({QPointF(0.0, 0.0)});
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setPen(Qt::white);
        painter.drawGlyphRun(
            QPointF((padX + double(across) / steps) / ratio, (padY + double(down) / 64) / ratio), run);
    }

    Sprite sprite;
    int minX = width;
    int minY = height;
    int maxX = -1;
    int maxY = -1;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = row[x];
            if (pixel == 0) {
                continue;
            }
            const int alpha = qAlpha(pixel);
            if (qRed(pixel) != alpha || qGreen(pixel) != alpha || qBlue(pixel) != alpha) {
                sprite.isCoverage = false;
                return sprite;
            }
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0) {
        return sprite; // nothing to draw: a space
    }
    sprite.left = minX - padX;
    sprite.top = minY - padY;
    sprite.width = maxX - minX + 1;
    sprite.height = maxY - minY + 1;
    sprite.coverage.resize(static_cast<std::size_t>(sprite.width) * sprite.height);
    for (int y = 0; y < sprite.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(minY + y));
        for (int x = 0; x < sprite.width; ++x) {
            sprite.coverage[static_cast<std::size_t>(y) * sprite.width + x] =
                static_cast<uchar>(qAlpha(row[minX + x]));
        }
        int first = 0;
        int end = sprite.width;
        while (first < end && row[minX + first] == 0) {
            ++first;
        }
        while (end > first && row[minX + end - 1] == 0) {
            --end;
        }
        sprite.inked.emplace_back(first, end);
    }
    return sprite;
}

// The drawn glyphs; a node map, so a sprite stays where it is while others are added.
struct Sprites {
    std::unordered_map<SpriteKey, Sprite, SpriteKeyHash> byKey;
    std::size_t bytes = 0;
};

Sprites& sprites() {
    thread_local Sprites cache;
    return cache;
}

// A label needs a few dozen; the bound holds a long session's many texts and sizes to about a
// megabyte. The cache is emptied only between drawings, never under a sprite in use.
constexpr std::size_t maximumSpriteBytes = 1 << 20;

// From this many device pixels to the em the painter draws glyphs from their outlines instead of
// keeping them, at their exact place; so do we, by leaving them to it.
constexpr double maximumEm = 64.0;

const Sprite& spriteFor(const QRawFont& font, quint32 glyph, qreal ratio, int across, int down) {
    SpriteKey key{font, glyph, ratio, across + steps * down};
    Sprites& cache = sprites();
    if (const auto found = cache.byKey.find(key); found != cache.byKey.end()) {
        return found->second;
    }
    Sprite sprite = drawSprite(font, glyph, ratio, across, down);
    cache.bytes += sizeof(Sprite) + sprite.coverage.size() + sprite.inked.size() * sizeof(sprite.inked[0]);
    return cache.byKey.emplace(std::move(key), std::move(sprite)).first->second;
}

// Each channel of premultiplied `pixel` times `alpha` / 255, rounded as the painter rounds.
QRgb byteMul(QRgb pixel, uint alpha) {
    uint t = (pixel & 0xff00ff) * alpha;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    uint u = ((pixel >> 8) & 0xff00ff) * alpha;
    u = (u + ((u >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return t | u;
}

// The colour at each coverage.
using Shades = std::array<QRgb, 256>;

const Shades& shadesOf(QRgb color) {
    thread_local std::vector<std::pair<QRgb, Shades>> cache;
    for (const auto& [cached, shades] : cache) {
        if (cached == color) {
            return shades;
        }
    }
    if (cache.size() >= 8) {
        cache.clear();
    }
    Shades shades{};
    const QRgb premultiplied = qPremultiply(color);
    for (uint alpha = 0; alpha < 256; ++alpha) {
        shades[alpha] = byteMul(premultiplied, alpha);
    }
    cache.emplace_back(color, shades);
    return cache.back().second;
}

// A premultiplied ARGB picture's pixels, reached without the image's per-row checks.
struct Pixels {
    uchar* bits;
    qsizetype stride;
    int width;
    int height;

    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits + y * stride); }
};

// Blends the sprite in with its origin's whole pixel at (x, y): the colour at its coverage over
// what is there, which on the transparent background is the colour at its coverage alone.
void blend(const Pixels& image, const Sprite& sprite, int x, int y, const Shades& shades) {
    const int left = std::max(0, x + sprite.left);
    const int top = std::max(0, y + sprite.top);
    const int right = std::min(image.width, x + sprite.left + sprite.width);
    const int bottom = std::min(image.height, y + sprite.top + sprite.height);
    for (int row = top; row < bottom; ++row) {
        QRgb* pixels = image.row(row);
        const int spriteRow = row - y - sprite.top;
        const uchar* coverage = sprite.coverage.data() +
                                static_cast<std::ptrdiff_t>(spriteRow) * sprite.width - (x + sprite.left);
        const auto [first, end] = sprite.inked[static_cast<std::size_t>(spriteRow)];
        const int from = std::max(left, x + sprite.left + first);
        const int to = std::min(right, x + sprite.left + end);
        for (int column = from; column < to; ++column) {
            const uint alpha = coverage[column];
            if (alpha == 0) {
                continue;
            }
            const QRgb below = pixels[column];
            pixels[column] = below == 0 ? shades[alpha] : shades[alpha] + byteMul(below, 255 - alpha);
        }
    }
}

// The device position of a glyph in 64ths of a pixel, cut towards zero as the painter cuts it.
qint64 sixtyFourths(double logical, qreal ratio) {
    return static_cast<qint64>(logical * ratio * 64.0);
}

// Blends every glyph of the run; false, having drawn nothing, when one is a colour glyph or the
// glyphs are too large to keep.
bool blendRun(const Pixels& image, qreal ratio, const GlyphDrawing& drawing) {
    const QRawFont font = drawing.run.rawFont();
    if (font.pixelSize() * ratio >= maximumEm) {
        return false;
    }
    const QList<quint32> glyphs = drawing.run.glyphIndexes();
    const QList<QPointF> positions = drawing.run.positions();
    struct Placed {
        const Sprite* sprite;
        int x;
        int y;
    };
    std::vector<Placed> placed;
    placed.reserve(static_cast<std::size_t>(glyphs.size()));
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const qint64 x = sixtyFourths(drawing.origin.x() + positions[i].x(), ratio);
        const qint64 y = sixtyFourths(drawing.origin.y() + positions[i].y(), ratio);
        // The painter takes the quarter a 64th further on: at 63/64 a glyph goes to the next pixel.
        const qint64 quarters = (x + 1) >> 4;
        const qint64 wholeX = quarters >> 2;
        const qint64 wholeY = y >> 6;
        const auto across = static_cast<int>(quarters & 3);
        const auto down = static_cast<int>(y & 63);
        const Sprite& sprite = spriteFor(font, glyphs[i], ratio, across, down);
        if (!sprite.isCoverage) {
            return false;
        }
        placed.push_back({&sprite, static_cast<int>(wholeX), static_cast<int>(wholeY)});
    }
    const Shades& shades = shadesOf(drawing.color.rgba());
    for (const Placed& glyph : placed) {
        blend(image, *glyph.sprite, glyph.x, glyph.y, shades);
    }
    return true;
}

bool hasLine(const QGlyphRun& run) {
    return run.strikeOut() || run.underline() || run.overline();
}

// Draws a glyph run with the painter. It draws a run's strike-out line from the run's origin rather
// than from its first glyph, so a struck run is drawn from where its glyphs begin.
void paintRun(QPainter& painter, const GlyphDrawing& drawing) {
    painter.setPen(drawing.color);
    const QGlyphRun& run = drawing.run;
    if (!run.strikeOut() || run.positions().isEmpty()) {
        painter.drawGlyphRun(drawing.origin, run);
        return;
    }
    QList<QPointF> positions = run.positions();
    const double start = positions.first().x();
    for (QPointF& position : positions) {
        position.rx() -= start;
    }
    QGlyphRun moved = run;
    moved.setPositions(positions);
    painter.drawGlyphRun(drawing.origin + QPointF(start, 0.0), moved);
}

} // namespace

void drawGlyphRuns(QImage& image, const std::vector<GlyphDrawing>& drawings) {
    if (Sprites& cache = sprites(); cache.bytes > maximumSpriteBytes) {
        cache.byKey.clear();
        cache.bytes = 0;
    }
    const bool canBlend = image.format() == QImage::Format_ARGB32_Premultiplied;
    const Pixels pixels{image.bits(), image.bytesPerLine(), image.width(), image.height()};
    std::vector<const GlyphDrawing*> painted;
    for (const GlyphDrawing& drawing : drawings) {
        if (drawing.run.isEmpty()) {
            continue;
        }
        if (!canBlend || hasLine(drawing.run) || !blendRun(pixels, image.devicePixelRatio(), drawing)) {
            painted.push_back(&drawing);
        }
    }
    if (painted.empty()) {
        return;
    }
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    for (const GlyphDrawing* drawing : painted) {
        paintRun(painter, *drawing);
    }
}

} // namespace zendra
