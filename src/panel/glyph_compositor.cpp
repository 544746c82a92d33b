#include "panel/glyph_compositor.h"

#include <QHashFunctions>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    // The coverage in a colour, premultiplied, for the last colours it was drawn in: where nothing
    // lies below, the glyph is copied in.
    struct Tint {
        QRgb color = 0;
        std::vector<QRgb> pixels;
    };
    std::vector<Tint> tints;
};

// The sprites of one font at one ratio, looked up once per run.
struct FontKey {
    QRawFont font;
    qreal ratio = 1.0;

    bool operator==(const FontKey& other) const { return ratio == other.ratio && font == other.font; }
};

struct FontKeyHash {
    size_t operator()(const FontKey& key) const { return qHashMulti(0, key.font, key.ratio); }
};

// A glyph at one of its places within a pixel: across + steps × down.
struct GlyphKey {
    quint32 glyph = 0;
    int step = 0;

    bool operator==(const GlyphKey& other) const = default;
};

struct GlyphKeyHash {
    size_t operator()(const GlyphKey& key) const {
        return std::hash<quint64>{}((quint64(key.glyph) << 16) ^ quint64(key.step));
    }
};

using FontSprites = std::unordered_map<GlyphKey, Sprite, GlyphKeyHash>;

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
    std::unordered_map<FontKey, FontSprites, FontKeyHash> byFont;
    std::size_t bytes = 0;
    int generation = 0; // counts the clearings: a sprite's address names it only within one
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

FontSprites& spritesOf(const QRawFont& font, qreal ratio) {
    return sprites().byFont[FontKey{font, ratio}];
}

Sprite& spriteFor(FontSprites& fontSprites, const QRawFont& font, quint32 glyph, qreal ratio, int across,
                  int down) {
    const GlyphKey key{glyph, across + steps * down};
    if (const auto found = fontSprites.find(key); found != fontSprites.end()) {
        return found->second;
    }
    Sprite sprite = drawSprite(font, glyph, ratio, across, down);
    sprites().bytes +=
        sizeof(Sprite) + sprite.coverage.size() + sprite.inked.size() * sizeof(sprite.inked[0]);
    return fontSprites.emplace(key, std::move(sprite)).first->second;
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

// Blends `count` pixels: each takes the colour at its coverage over what is there (source over, as
// the painter blends a glyph), which on the transparent background is the colour at its coverage alone.
void blendSpan(QRgb* pixels, const uchar* coverage, int count, QRgb premultiplied, const Shades& shades) {
    int i = 0;
#if defined(__SSE2__)
    // Four pixels at a time, each channel in 16 bits, rounded as byteMul() rounds.
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i full = _mm_set1_epi16(0xff);
    const __m128i color = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(premultiplied)), zero);
    const auto times = [&](__m128i channels, __m128i alphas) {
        __m128i t = _mm_mullo_epi16(channels, alphas);
        t = _mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half);
        return _mm_srli_epi16(t, 8);
    };
    for (; i + 4 <= count; i += 4) {
        std::uint32_t four = 0;
        std::memcpy(&four, coverage + i, sizeof four);
        if (four == 0) {
            continue;
        }
        __m128i alphas = _mm_cvtsi32_si128(static_cast<int>(four));
        alphas = _mm_unpacklo_epi8(alphas, alphas);
        alphas = _mm_unpacklo_epi16(alphas, alphas); // each coverage for the four channels of its pixel
        const __m128i alphasLow = _mm_unpacklo_epi8(alphas, zero);
        const __m128i alphasHigh = _mm_unpackhi_epi8(alphas, zero);
        auto* at = reinterpret_cast<__m128i*>(pixels + i);
        const __m128i sourceLow = times(color, alphasLow);
        const __m128i sourceHigh = times(color, alphasHigh);
        const __m128i below = _mm_loadu_si128(at);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(below, zero)) == 0xffff) {
            // Nothing below: the colour at its coverage alone.
            _mm_storeu_si128(at, _mm_packus_epi16(sourceLow, sourceHigh));
            continue;
        }
        // What shows through: 255 less each pixel's own alpha, in its four channels.
        const auto through = [&](__m128i source) {
            return _mm_sub_epi16(full, _mm_shufflehi_epi16(_mm_shufflelo_epi16(source, 0xff), 0xff));
        };
        const __m128i low =
            _mm_add_epi16(sourceLow, times(_mm_unpacklo_epi8(below, zero), through(sourceLow)));
        const __m128i high =
            _mm_add_epi16(sourceHigh, times(_mm_unpackhi_epi8(below, zero), through(sourceHigh)));
        _mm_storeu_si128(at, _mm_packus_epi16(low, high));
    }
#else
    Q_UNUSED(premultiplied);
#endif
    for (; i < count; ++i) {
        const uint alpha = coverage[i];
        if (alpha == 0) {
            continue;
        }
        const QRgb below = pixels[i];
        const QRgb source = shades[alpha];
        pixels[i] = below == 0 ? source : source + byteMul(below, 255 - qAlpha(source));
    }
}

// Calls `span(pixels, at, count)` for each row's inked columns of the sprite with its origin's whole
// pixel at (x, y), from column `fromColumn` on: `pixels` in the image, `at` the sprite's index of the first.
template <class Span>
void eachInkedSpan(const Pixels& image, const Sprite& sprite, int x, int y, int fromColumn, Span&& span) {
    const int left = std::max(fromColumn, x + sprite.left);
    const int top = std::max(0, y + sprite.top);
    const int right = std::min(image.width, x + sprite.left + sprite.width);
    const int bottom = std::min(image.height, y + sprite.top + sprite.height);
    for (int row = top; row < bottom; ++row) {
        const int spriteRow = row - y - sprite.top;
        const auto [first, end] = sprite.inked[static_cast<std::size_t>(spriteRow)];
        const int from = std::max(left, x + sprite.left + first);
        const int to = std::min(right, x + sprite.left + end);
        if (from < to) {
            span(image.row(row) + from,
                 static_cast<std::size_t>(spriteRow) * sprite.width + (from - x - sprite.left), to - from);
        }
    }
}

// Blends the sprite in over what is there.
void blend(const Pixels& image, const Sprite& sprite, int x, int y, const Shades& shades, int fromColumn) {
    eachInkedSpan(image, sprite, x, y, fromColumn, [&](QRgb* pixels, std::size_t at, int count) {
        // At full coverage the shade is the premultiplied colour itself.
        blendSpan(pixels, sprite.coverage.data() + at, count, shades[255], shades);
    });
}

// The sprite's coverage in `color`, made on first use and kept for the two last colours. Valid until
// the next call for the same sprite.
const std::vector<QRgb>& tintOf(Sprite& sprite, QRgb color, const Shades& shades, std::size_t& bytes) {
    for (const Sprite::Tint& tint : sprite.tints) {
        if (tint.color == color) {
            return tint.pixels;
        }
    }
    if (sprite.tints.size() >= 2) {
        bytes -= sprite.tints.front().pixels.size() * sizeof(QRgb);
        sprite.tints.erase(sprite.tints.begin());
    }
    Sprite::Tint tint{color, std::vector<QRgb>(sprite.coverage.size())};
    std::transform(sprite.coverage.begin(), sprite.coverage.end(), tint.pixels.begin(),
                   [&](uchar alpha) { return shades[alpha]; });
    bytes += tint.pixels.size() * sizeof(QRgb);
    sprite.tints.push_back(std::move(tint));
    return sprite.tints.back().pixels;
}

// Copies the sprite in where nothing lies below it: the same as blending it there.
void copyIn(const Pixels& image, const Sprite& sprite, int x, int y, const std::vector<QRgb>& tint,
            int fromColumn) {
    eachInkedSpan(image, sprite, x, y, fromColumn, [&](QRgb* pixels, std::size_t at, int count) {
        // Spans are a few pixels long: copied in place, without the call to copy memory.
        const QRgb* from = tint.data() + at;
        int i = 0;
#if defined(__SSE2__)
        for (; i + 4 <= count; i += 4) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
        }
#endif
        for (; i < count; ++i) {
            pixels[i] = from[i];
        }
    });
}

// The device position of a glyph in 64ths of a pixel, cut towards zero as the painter cuts it.
qint64 sixtyFourths(double logical, qreal ratio) {
    return static_cast<qint64>(logical * ratio * 64.0);
}

// A glyph as it is blended: its coverage, its origin's whole device pixel and its colour.
struct Placed {
    Sprite* sprite;
    int x;
    int y;
    QRgb color;

    bool operator==(const Placed& other) const {
        return sprite == other.sprite && x == other.x && y == other.y && color == other.color;
    }
};

// Places every glyph of the run after `placed`; false, placing nothing, when one is a colour glyph or
// the glyphs are too large to keep.
bool placeRun(std::vector<Placed>& placed, qreal ratio, const GlyphDrawing& drawing) {
    const QRawFont font = drawing.run.rawFont();
    if (font.pixelSize() * ratio >= maximumEm) {
        return false;
    }
    const QList<quint32> glyphs = drawing.run.glyphIndexes();
    const QList<QPointF> positions = drawing.run.positions();
    const QRgb color = drawing.color.rgba();
    FontSprites& fontSprites = spritesOf(font, ratio);
    const std::size_t before = placed.size();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const qint64 x = sixtyFourths(drawing.origin.x() + positions[i].x(), ratio);
        const qint64 y = sixtyFourths(drawing.origin.y() + positions[i].y(), ratio);
        // The painter takes the quarter a 64th further on: at 63/64 a glyph goes to the next pixel.
        const qint64 quarters = (x + 1) >> 4;
        const qint64 wholeX = quarters >> 2;
        const qint64 wholeY = y >> 6;
        const auto across = static_cast<int>(quarters & 3);
        const auto down = static_cast<int>(y & 63);
        Sprite& sprite = spriteFor(fontSprites, font, glyphs[i], ratio, across, down);
        if (!sprite.isCoverage) {
            placed.resize(before);
            return false;
        }
        if (sprite.width > 0) {
            placed.push_back({&sprite, static_cast<int>(wholeX), static_cast<int>(wholeY), color});
        }
    }
    return true;
}

// The last picture blended, kept to start the next one from: the panel item is drawn anew at every
// keystroke, and all but the end of its glyphs are usually where they were.
struct Previous {
    QImage image; // shares the caller's picture until either changes it
    std::vector<Placed> placed;
    int generation = 0;
};

std::optional<Previous>& previousDrawing() {
    thread_local std::optional<Previous> previous;
    return previous;
}

// The columns, from the left, that the same glyphs cover in the previous picture and in this one:
// left of every glyph that differs. Zero when the previous picture is of another kind.
int sharedColumns(const Previous& previous, const QImage& image, const std::vector<Placed>& placed) {
    if (previous.generation != sprites().generation || previous.image.height() != image.height() ||
        previous.image.devicePixelRatio() != image.devicePixelRatio()) {
        return 0;
    }
    const auto [same, sameInPrevious] =
        std::mismatch(placed.begin(), placed.end(), previous.placed.begin(), previous.placed.end());
    int columns = std::min(image.width(), previous.image.width());
    for (auto glyph = same; glyph != placed.end(); ++glyph) {
        columns = std::min(columns, glyph->x + glyph->sprite->left);
    }
    for (auto glyph = sameInPrevious; glyph != previous.placed.end(); ++glyph) {
        columns = std::min(columns, glyph->x + glyph->sprite->left);
    }
    return std::max(columns, 0);
}

// Clears the new picture and blends the placed glyphs in, taking the columns the previous picture
// shares from it.
void blendPlaced(QImage& image, const std::vector<Placed>& placed) {
    const std::optional<Previous>& previous = previousDrawing();
    const int shared = previous ? sharedColumns(*previous, image, placed) : 0;
    const Pixels pixels{image.bits(), image.bytesPerLine(), image.width(), image.height()};
    // Transparent is all zero bytes: cleared at once where nothing is taken from the last picture.
    const auto sharedBytes = static_cast<std::size_t>(shared) * sizeof(QRgb);
    if (shared == 0) {
        std::memset(pixels.bits, 0, static_cast<std::size_t>(pixels.stride) * pixels.height);
    } else {
        for (int row = 0; row < pixels.height; ++row) {
            auto* bytes = reinterpret_cast<uchar*>(pixels.row(row));
            std::memcpy(bytes, previous->image.constScanLine(row), sharedBytes);
            std::memset(bytes + sharedBytes, 0, static_cast<std::size_t>(pixels.stride) - sharedBytes);
        }
    }
    // The shades of one colour at a time: fetching another may move those fetched before.
    const Shades* shades = nullptr;
    QRgb color = 0;
    // Right of every column drawn on so far: a glyph that starts there has nothing below it.
    int drawnRight = shared;
    for (const Placed& glyph : placed) {
        const int left = glyph.x + glyph.sprite->left;
        const int right = left + glyph.sprite->width;
        if (right <= shared) {
            continue;
        }
        if (shades == nullptr || glyph.color != color) {
            color = glyph.color;
            shades = &shadesOf(color);
        }
        if (left >= drawnRight) {
            copyIn(pixels, *glyph.sprite, glyph.x, glyph.y,
                   tintOf(*glyph.sprite, color, *shades, sprites().bytes), shared);
        } else {
            blend(pixels, *glyph.sprite, glyph.x, glyph.y, *shades, shared);
        }
        drawnRight = std::max(drawnRight, right);
    }
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

QImage glyphPicture(QSize size, qreal ratio, const std::vector<GlyphDrawing>& drawings) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return image;
    }
    image.setDevicePixelRatio(ratio);
    if (Sprites& cache = sprites(); cache.bytes > maximumSpriteBytes) {
        cache.byFont.clear();
        cache.bytes = 0;
        ++cache.generation;
    }
    std::vector<Placed> placed;
    std::vector<const GlyphDrawing*> painted;
    for (const GlyphDrawing& drawing : drawings) {
        if (drawing.run.isEmpty()) {
            continue;
        }
        if (hasLine(drawing.run) || !placeRun(placed, ratio, drawing)) {
            painted.push_back(&drawing);
        }
    }
    blendPlaced(image, placed);
    if (painted.empty()) {
        // Only a picture of blended glyphs alone can start the next one; the last such stays valid.
        previousDrawing() = Previous{image, std::move(placed), sprites().generation};
        return image;
    }
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        for (const GlyphDrawing* drawing : painted) {
            paintRun(painter, *drawing);
        }
    }
    return image;
}

} // namespace zendra
