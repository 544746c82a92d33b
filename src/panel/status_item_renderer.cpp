#include "panel/status_item_renderer.h"

#include "panel/glyph_compositor.h"
#include "panel/status_item_placeholder.h"
#include "panel/status_item_tone.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

namespace zendra {

namespace {

const QString ellipsis = QStringLiteral("\u2026");

// Stored numbers are used as they are, but a value no slider produces must not exhaust memory or
// poison the geometry: sizes and ratios are held to what a panel can show.
struct Limits {
    double textSize;
    double maximumWidth;
    double verticalOffset;
    double itemHeight;
    qreal devicePixelRatio;
};

double finiteOr(double value, double fallback) {
    return std::isfinite(value) ? value : fallback;
}

Limits limitsOf(const StatusItemContent& content) {
    Limits limits{};
    limits.textSize = std::clamp(finiteOr(content.textSize, 13.0), 1.0, 512.0);
    limits.maximumWidth =
        std::isnan(content.maximumWidth) ? 0.0 : std::clamp(content.maximumWidth, 0.0, 16384.0);
    limits.verticalOffset = std::clamp(finiteOr(content.verticalOffset.value_or(0.0), 0.0), -1024.0, 1024.0);
    limits.itemHeight = std::clamp(finiteOr(content.itemHeight, 24.0), 1.0, 1024.0);
    limits.devicePixelRatio = std::clamp(finiteOr(content.devicePixelRatio, 1.0), 0.25, 8.0);
    return limits;
}

// The same font object from one rendering to the next while family and size stay: it keeps the font
// it loaded, and comparing it with itself costs nothing.
QFont labelFont(const StatusItemContent& content, double textSize) {
    const int pixelSize = std::max(1, static_cast<int>(std::lround(textSize)));
    const QFont base =
        content.fontFamily.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont) : QFont();
    struct Made {
        QString family;
        QFont base;
        int pixelSize = 0;
        QFont font;
    };
    thread_local std::optional<Made> last;
    if (last && last->pixelSize == pixelSize && last->family == content.fontFamily && last->base == base) {
        return last->font;
    }
    QFont font = content.fontFamily.isEmpty() ? base : QFont(content.fontFamily);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    last = Made{content.fontFamily, base, pixelSize, font};
    return font;
}

QString monospaceFamily(const StatusItemContent& content) {
    return content.monospaceFamily.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family()
                                             : content.monospaceFamily;
}

// Advances of the label's font that bound how much of a text can show.
struct FontMeasures {
    double narrowest = 0.0; // the narrowest common glyph
    double space = 0.0;
    double average = 0.0; // the mean of the space and the most frequent letters
};

FontMeasures measure(const QFont& font) {
    const QFontMetricsF metrics(font);
    FontMeasures measures;
    measures.space = metrics.horizontalAdvance(QLatin1Char(' '));
    measures.narrowest = measures.space;
    for (QChar c : QStringLiteral("il.,'|!:;")) {
        measures.narrowest = std::min(measures.narrowest, metrics.horizontalAdvance(c));
    }
    const QString letters = QStringLiteral("etaoin");
    double sum = measures.space;
    for (QChar c : letters) {
        sum += metrics.horizontalAdvance(c);
    }
    measures.average = sum / static_cast<double>(letters.size() + 1);
    return measures;
}

// The measures of the font the last label used: a panel draws its label in one font, and measuring
// it costs as much as laying out a short line.
const FontMeasures& measuresOf(const QFont& font) {
    thread_local std::optional<QFont> measured;
    thread_local FontMeasures measures;
    // The label's font is usually the very object measured last, which compares at no cost.
    if (!measured || (!measured->isCopyOf(font) && *measured != font)) {
        measures = measure(font);
        measured = font;
    }
    return measures;
}

// How many UTF-16 units can possibly fit: the width over the narrowest common glyph, with room for
// the ellipsis and for shaping at the cut. A text that still fits after the cut is laid out whole.
qsizetype visibleBudget(const QFont& font, double maximumWidth) {
    const double narrowest = std::max(measuresOf(font).narrowest * 0.5, 0.5);
    return static_cast<qsizetype>(std::ceil(maximumWidth / narrowest)) + 16;
}

// How many times the visible budget one rendering may lay out at most, whatever the text.
constexpr qsizetype workBudgetFactor = 8;

// How far past a position shaping can reach: glyphs before it look no further ahead (kerning pairs,
// ligatures, contextual forms), so they sit where they would in any longer text.
constexpr qsizetype shapingReach = 8;

// The width past which the first layout of a long text stops shaping: two ems past the maximum
// leave room for the widest cluster where the line breaks.
double headWidth(const QFont& font, double maximumWidth) {
    return maximumWidth + 2.0 * font.pixelSize();
}

// A guess at the units that fill the head width: the width over the mean advance of the space and
// the most frequent letters, with a third more for narrower text, and the reach of shaping past
// that. Never more than visibleBudget(), which is at least what the same sum over half a space gives.
qsizetype headLength(const QFont& font, double maximumWidth) {
    const FontMeasures& measures = measuresOf(font);
    const double average = std::max(measures.average, 1.0);
    const double halfSpace = std::max(measures.space * 0.5, 0.5);
    return std::min(static_cast<qsizetype>(std::ceil(1.3 * headWidth(font, maximumWidth) / average)) +
                        shapingReach,
                    static_cast<qsizetype>(std::ceil(maximumWidth / halfSpace)) + 16);
}

// The code point at `i`, which then moves past it.
char32_t nextCodePoint(QStringView text, qsizetype& i) {
    const QChar unit = text[i++];
    if (unit.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate()) {
        return QChar::surrogateToUcs4(unit, text[i++]);
    }
    return unit.unicode();
}

// Right-to-left characters and direction controls: with one of them in a line, x no longer grows
// with the logical position everywhere.
bool disturbsLeftToRight(char32_t c) {
    switch (QChar::direction(c)) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirAN:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return true;
    default:
        return false;
    }
}

bool isLeftToRightOnly(QStringView text) {
    for (qsizetype i = 0; i < text.size();) {
        if (disturbsLeftToRight(nextCodePoint(text, i))) {
            return false;
        }
    }
    return true;
}

// Whether every character of `text` sits at the same place as in any longer text that starts with
// it: left-to-right text only (a strong left-to-right character, nothing right-to-left, no
// direction controls), and a character with a script of its own, which leading neutral characters
// take theirs from.
bool isSettledLeftToRight(QStringView text) {
    bool hasStrong = false;
    bool hasScript = false;
    for (qsizetype i = 0; i < text.size();) {
        const char32_t c = nextCodePoint(text, i);
        if (disturbsLeftToRight(c)) {
            return false;
        }
        hasStrong = hasStrong || QChar::direction(c) == QChar::DirL;
        hasScript = hasScript || QChar::script(c) > QChar::Script_Common;
    }
    return hasStrong && hasScript;
}

// The formats that change the glyphs. Colour is left out: a link is shaped with the text around it
// (kerning and ligatures run across it, and the line has fewer pieces to shape) and coloured when
// drawn.
QList<QTextLayout::FormatRange> formatRanges(const std::vector<Markdown::InlineRun>& runs,
                                             const QString& mono) {
    QList<QTextLayout::FormatRange> ranges;
    for (const auto& run : runs) {
        const auto& style = run.style;
        if (!style.emphasis && !style.strong && !style.code && !style.strikethrough) {
            continue;
        }
        QTextCharFormat format;
        if (style.emphasis) {
            format.setFontItalic(true);
        }
        if (style.strong) {
            format.setFontWeight(QFont::Bold);
        }
        if (style.code) {
            format.setFontFamilies(QStringList{mono});
            format.setFontFixedPitch(true);
        }
        if (style.strikethrough) {
            format.setFontStrikeOut(true);
        }
        ranges.append({static_cast<int>(run.start), static_cast<int>(run.length), format});
    }
    return ranges;
}

// The whole text goes to the parser, as a link's address or a closing delimiter far ahead can change
// what the kept part shows; it reads no more than that start when nothing further on can. Beyond
// this many units nothing can still reach the label, short of an address longer than this; the cap
// keeps a pasted megabyte from costing more than a long text.
constexpr qsizetype maximumParsedLength = 65536;

QString parsedPart(QString composed) {
    if (composed.size() > maximumParsedLength) {
        qsizetype end = maximumParsedLength;
        if (composed[end - 1].isHighSurrogate()) {
            --end;
        }
        composed.truncate(end);
    }
    return composed;
}

struct Line {
    std::unique_ptr<QTextLayout> layout;
    QString text;
    std::vector<Markdown::InlineRun> runs;

    QTextLine line() const { return layout->lineAt(0); }
    double width() const { return line().naturalTextWidth(); }
};

// Lays out one line. With `wrapWidth`, the line ends about there and nothing after it is shaped; the
// glyphs on it are those of the unbroken line.
Line layOut(QString text, std::vector<Markdown::InlineRun> runs, const QFont& font, const QString& mono,
            std::optional<double> wrapWidth = std::nullopt) {
    Line result{std::make_unique<QTextLayout>(text, font), std::move(text), std::move(runs)};
    QTextOption option;
    option.setWrapMode(wrapWidth ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
    result.layout->setTextOption(option);
    // Keeps the shaped glyphs for drawing; otherwise drawing shapes the text a second time.
    result.layout->setCacheEnabled(true);
    result.layout->setFormats(formatRanges(result.runs, mono));
    result.layout->beginLayout();
    QTextLine line = result.layout->createLine();
    line.setLineWidth(wrapWidth.value_or(1.0e6));
    result.layout->endLayout();
    return result;
}

// Whether `head`, the start of a longer text, shows on its first line that the whole text is wider
// than `width`. Its last units are left out (at least two clusters), as their shaping depends on
// what follows.
bool startOverflows(const Line& head, double width) {
    int end = static_cast<int>(head.text.size());
    for (int clusters = 0; end > 0 && (clusters < 2 || head.text.size() - end < shapingReach); ++clusters) {
        end = head.layout->previousCursorPosition(end);
    }
    const QTextLine line = head.line();
    end = std::min(end, line.textStart() + line.textLength());
    while (end > 0 && head.text[end - 1].isSpace()) {
        end = head.layout->previousCursorPosition(end);
    }
    return end > 0 && line.cursorToX(end) > width;
}

// The runs of the first `length` units, the ellipsis taking the style of the last kept unit.
std::vector<Markdown::InlineRun> runsWithEllipsis(const std::vector<Markdown::InlineRun>& runs,
                                                  qsizetype length) {
    std::vector<Markdown::InlineRun> kept;
    for (const auto& run : runs) {
        if (run.start >= length) {
            break;
        }
        kept.push_back({run.start, std::min(run.length, length - run.start), run.style});
    }
    if (kept.empty()) {
        kept.push_back({length, ellipsis.size(), {}});
    } else {
        kept.back().length += ellipsis.size();
    }
    return kept;
}

// The ellipsis in one style, laid out once: cut lines draw it after the start they keep.
struct Ellipsis {
    QList<QGlyphRun> glyphs; // relative to the ellipsis' own line, its baseline at `ascent`
    double width = 0.0;
    double ascent = 0.0;
    double descent = 0.0;
};

const Ellipsis& ellipsisIn(Markdown::InlineStyle style, const QFont& font, const QString& mono) {
    style.link = false; // colour is applied when drawing
    struct Entry {
        QFont font;
        QString mono;
        Markdown::InlineStyle style;
        Ellipsis ellipsis;
    };
    thread_local std::vector<Entry> cache;
    for (const Entry& entry : cache) {
        if (entry.style == style && entry.font == font && entry.mono == mono) {
            return entry.ellipsis;
        }
    }
    if (cache.size() >= 32) {
        cache.clear();
    }
    const Line line = layOut(ellipsis, {{0, ellipsis.size(), style}}, font, mono);
    const QTextLine textLine = line.line();
    cache.push_back(
        {font, mono, style, {line.layout->glyphRuns(), line.width(), textLine.ascent(), textLine.descent()}});
    return cache.back().ellipsis;
}

// The style of the unit before `position`; none at the start.
Markdown::InlineStyle styleBefore(const std::vector<Markdown::InlineRun>& runs, qsizetype position) {
    for (const auto& run : runs) {
        if (position > run.start && position <= run.start + run.length) {
            return run.style;
        }
    }
    return {};
}

// What the item shows: a laid-out line drawn from its start, and the ellipsis after the part drawn
// when the text is cut.
struct Label {
    Line line;
    int drawnLength = 0; // units of the line drawn
    // On a left-to-right line, the glyphs of those units, fetched once for measuring and drawing.
    QList<QGlyphRun> glyphs;
    bool isLeftToRight = false;
    // A copy: the cache it comes from may drop its entries at the next rendering.
    std::optional<Ellipsis> ellipsis;
    Markdown::InlineStyle ellipsisStyle;
    double ellipsisX = 0.0; // where the ellipsis starts along the line
    double width = 0.0;
    double ascent = 0.0;
    double descent = 0.0;
    QString shownText;
    std::vector<Markdown::InlineRun> runs;
    bool isTruncated = false;

    double height() const { return std::ceil(ascent + descent); }
};

Label wholeLine(Line line, bool isTruncated) {
    Label label;
    const QTextLine textLine = line.line();
    label.drawnLength = static_cast<int>(line.text.size());
    label.isLeftToRight = isLeftToRightOnly(line.text);
    if (label.isLeftToRight) {
        label.glyphs = textLine.glyphRuns();
    }
    label.width = line.width();
    label.ascent = textLine.ascent();
    label.descent = textLine.descent();
    label.shownText = line.text;
    label.runs = line.runs;
    label.isTruncated = isTruncated;
    label.line = std::move(line);
    return label;
}

// The glyphs of `run` whose origin lies in [from, to) along the line: the run itself when that is
// all of them, as it is for every run but the one at a cut.
QGlyphRun glyphsBetween(const QGlyphRun& run, double from, double to) {
    const QList<QPointF> allPositions = run.positions();
    const auto inside = [&](const QPointF& position) { return position.x() >= from && position.x() < to; };
    if (std::all_of(allPositions.begin(), allPositions.end(), inside)) {
        return run;
    }
    const QList<quint32> allIndexes = run.glyphIndexes();
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(allIndexes.size());
    positions.reserve(allIndexes.size());
    for (qsizetype i = 0; i < allIndexes.size(); ++i) {
        if (inside(allPositions[i])) {
            indexes.append(allIndexes[i]);
            positions.append(allPositions[i]);
        }
    }
    QGlyphRun part = run;
    part.setGlyphIndexes(indexes);
    part.setPositions(positions);
    return part;
}

// The cut of a left-to-right line, where x grows with the position: the longest start whose glyphs,
// as the whole line places them, leave room for the ellipsis. Nothing is laid out again, so a cut
// costs no more than the line. A start can end only where a glyph starts: not inside a ligature,
// whose glyph sits before the position.
Label cutInPlace(Line full, double width, const QFont& font, const QString& mono) {
    const QTextLine line = full.line();
    const int lineEnd = line.textStart() + line.textLength();
    const QList<QGlyphRun> glyphs = line.glyphRuns();
    std::vector<double> origins;
    for (const QGlyphRun& run : glyphs) {
        for (const QPointF& position : run.positions()) {
            origins.push_back(position.x());
        }
    }
    std::sort(origins.begin(), origins.end());
    // The x of each position asked, kept: the search asks most of them twice, and the line
    // answers each by walking its items.
    std::vector<std::pair<int, double>> xs;
    const auto xAt = [&](int position) {
        for (const auto& [known, x] : xs) {
            if (known == position) {
                return x;
            }
        }
        const double x = line.cursorToX(position);
        xs.emplace_back(position, x);
        return x;
    };
    const auto glyphStartsAt = [&](int position) {
        if (position >= lineEnd) {
            return true;
        }
        const double x = xAt(position);
        const auto near = std::lower_bound(origins.begin(), origins.end(), x - 0.01);
        return near != origins.end() && *near < x + 0.01;
    };
    const auto fits = [&](int position) {
        return xAt(position) + ellipsisIn(styleBefore(full.runs, position), font, mono).width <= width;
    };
    int position = std::min(line.xToCursor(width, QTextLine::CursorBetweenCharacters), lineEnd);
    if (!full.layout->isValidCursorPosition(position)) {
        position = full.layout->previousCursorPosition(position);
    }
    for (int next = full.layout->nextCursorPosition(position);
         next > position && next <= lineEnd && fits(next); next = full.layout->nextCursorPosition(position)) {
        position = next;
    }
    while (position > 0 && (!fits(position) || !glyphStartsAt(position))) {
        position = full.layout->previousCursorPosition(position);
    }

    Label label;
    label.ellipsisStyle = styleBefore(full.runs, position);
    label.ellipsis = ellipsisIn(label.ellipsisStyle, font, mono);
    label.isLeftToRight = true;
    label.drawnLength = position;
    const double cutX = xAt(position);
    label.ellipsisX = cutX;
    label.width = cutX + label.ellipsis->width;
    // The height of what shows: the fonts of the kept glyphs and of the ellipsis.
    label.ascent = label.ellipsis->ascent;
    label.descent = label.ellipsis->descent;
    for (const QGlyphRun& run : glyphs) {
        if (QGlyphRun kept = glyphsBetween(run, -1.0e9, cutX - 0.005); !kept.isEmpty()) {
            label.ascent = std::max(label.ascent, kept.rawFont().ascent());
            label.descent = std::max(label.descent, kept.rawFont().descent());
            label.glyphs.append(std::move(kept));
        }
    }
    label.shownText = full.text.left(position) + ellipsis;
    label.runs = runsWithEllipsis(full.runs, position);
    label.isTruncated = true;
    label.line = std::move(full);
    return label;
}

// The longest logical start of `full`, ending at a cursor position, that fits in `width` with the
// ellipsis after it (at the logical end, where the line's direction places it). On a right-to-left or
// mixed line the x of a position says nothing about the width of the text before it, so starts are
// measured by laying them out: a guess is widened by doubling steps until it brackets the answer,
// then halved.
Label elide(Line full, double width, const QFont& font, const QString& mono) {
    if (isLeftToRightOnly(full.text)) {
        return cutInPlace(std::move(full), width, font, mono);
    }
    std::vector<int> stops{0};
    while (stops.back() < full.text.size()) {
        const int next = full.layout->nextCursorPosition(stops.back());
        if (next <= stops.back()) {
            break;
        }
        stops.push_back(next);
    }
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const double target = std::max(0.0, width - QFontMetricsF(font).horizontalAdvance(ellipsis));
    std::ptrdiff_t guess = 0;
    if (full.width() > 0) {
        guess = static_cast<std::ptrdiff_t>(static_cast<double>(count - 1) *
                                            std::min(1.0, target / full.width()));
    }

    std::optional<Line> best;
    std::ptrdiff_t fitting = -1;    // the longest start known to fit
    std::ptrdiff_t failing = count; // the shortest start known not to fit
    auto tryStop = [&](std::ptrdiff_t index) {
        const int position = stops[static_cast<std::size_t>(index)];
        Line cut =
            layOut(full.text.left(position) + ellipsis, runsWithEllipsis(full.runs, position), font, mono);
        if (cut.width() <= width) {
            fitting = index;
            best = std::move(cut);
        } else {
            failing = index;
        }
    };
    tryStop(std::clamp<std::ptrdiff_t>(guess, 0, count - 1));
    // Gallop away from the guess until a fitting and a failing start bracket the cut. The condition
    // is a function because tryStop changes its variables, which a loop condition does not show.
    const auto unbracketed = [&] {
        return (fitting < 0 && failing > 0) || (fitting >= 0 && failing == count && fitting < count - 1);
    };
    for (std::ptrdiff_t step = 1; unbracketed(); step *= 2) {
        tryStop(fitting < 0 ? std::max<std::ptrdiff_t>(0, failing - step)
                            : std::min<std::ptrdiff_t>(count - 1, fitting + step));
    }
    while (fitting + 1 < failing) {
        tryStop(fitting + (failing - fitting) / 2);
    }
    if (!best) {
        return wholeLine(layOut(ellipsis, runsWithEllipsis(full.runs, 0), font, mono), true);
    }
    return wholeLine(std::move(*best), true);
}

// The line to draw: the text whole, or its longest start that fits with the ellipsis. Only the start
// of a long text is parsed and laid out: first about what fills the width, which usually settles
// the cut, else as much as may fit at all.
Label labelOf(const QString& composed, const QFont& font, const QString& mono, double maximumWidth) {
    const qsizetype headLimit = headLength(font, maximumWidth);
    Markdown::InlineText inlineText = Markdown::renderInline(composed, headLimit);
    const bool isHead = inlineText.text.size() >= headLimit;
    if (isHead && isSettledLeftToRight(inlineText.text)) {
        Line head =
            layOut(inlineText.text, std::move(inlineText.runs), font, mono, headWidth(font, maximumWidth));
        if (startOverflows(head, maximumWidth)) {
            return elide(std::move(head), maximumWidth, font, mono);
        }
    }
    const qsizetype budget = visibleBudget(font, maximumWidth);
    qsizetype limit = headLimit;
    if (isHead) {
        limit = budget;
        inlineText = Markdown::renderInline(composed, limit);
    }
    Line line = layOut(inlineText.text, inlineText.runs, font, mono);
    // Text without width (zero-width characters, combining marks) fits however much of it there is:
    // more is read while it fits, up to a bound that the width sets, as shaping a single cluster of
    // many marks costs far more than its share of the width.
    const qsizetype cap = workBudgetFactor * budget;
    while (inlineText.isCut && line.width() <= maximumWidth && limit < cap) {
        limit = std::min(4 * limit, cap);
        inlineText = Markdown::renderInline(composed, limit);
        line = layOut(inlineText.text, inlineText.runs, font, mono);
    }
    if (inlineText.isCut || line.width() > maximumWidth) {
        return elide(std::move(line), maximumWidth, font, mono);
    }
    return wholeLine(std::move(line), false);
}

// The stretches of the first `length` units that have one colour: links, and the text between them.
struct Stretch {
    int start = 0;
    int length = 0;
    bool link = false;
};

std::vector<Stretch> colourStretches(const std::vector<Markdown::InlineRun>& runs, int length) {
    std::vector<Stretch> stretches;
    for (const auto& run : runs) {
        const int start = static_cast<int>(run.start);
        if (start >= length) {
            break;
        }
        const int end = std::min(length, static_cast<int>(run.start + run.length));
        if (!stretches.empty() && stretches.back().link == run.style.link) {
            stretches.back().length = end - stretches.back().start;
        } else {
            stretches.push_back({start, end - start, run.style.link});
        }
    }
    return stretches;
}

// Adds the drawing of `glyphs`, the first `length` units of a left-to-right line: each glyph takes the
// colour of the stretch its origin falls in, so a ligature across a link's edge is drawn once.
void drawLeftToRight(std::vector<GlyphDrawing>& drawings, const Line& line, int length,
                     const QList<QGlyphRun>& glyphs, QPointF origin, const QColor& textColor,
                     const QColor& linkColor) {
    const std::vector<Stretch> stretches = colourStretches(line.runs, length);
    if (stretches.size() <= 1) {
        const QColor& color = !stretches.empty() && stretches.front().link ? linkColor : textColor;
        for (const QGlyphRun& run : glyphs) {
            drawings.push_back({origin, run, color});
        }
        return;
    }
    // Where each stretch after the first begins along the line; x grows with the position.
    const QTextLine textLine = line.line();
    std::vector<double> edges;
    for (std::size_t i = 1; i < stretches.size(); ++i) {
        edges.push_back(textLine.cursorToX(stretches[i].start));
    }
    for (const QGlyphRun& run : glyphs) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        qsizetype begin = 0;
        while (begin < indexes.size()) {
            const auto stretch =
                std::upper_bound(edges.begin(), edges.end(), positions[begin].x()) - edges.begin();
            const double to = static_cast<std::size_t>(stretch) < edges.size() ? edges[stretch] : 1.0e9;
            qsizetype end = begin + 1;
            while (end < indexes.size() && positions[end].x() < to) {
                ++end;
            }
            QGlyphRun part = run;
            if (begin > 0 || end < indexes.size()) {
                part.setGlyphIndexes(indexes.mid(begin, end - begin));
                part.setPositions(positions.mid(begin, end - begin));
            }
            drawings.push_back({origin, std::move(part),
                                stretches[static_cast<std::size_t>(stretch)].link ? linkColor : textColor});
            begin = end;
        }
    }
}

// A glyph's identity on a line: two stretches that both return it (a ligature across their edge)
// would draw it twice.
bool sameGlyph(const QGlyphRun& a, qsizetype i, const QGlyphRun& b, qsizetype j) {
    return a.glyphIndexes()[i] == b.glyphIndexes()[j] && a.positions()[i] == b.positions()[j] &&
           a.rawFont() == b.rawFont();
}

QGlyphRun withoutGlyph(QGlyphRun run, qsizetype i) {
    QList<quint32> indexes = run.glyphIndexes();
    QList<QPointF> positions = run.positions();
    indexes.remove(i);
    positions.remove(i);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    return run;
}

// Adds the drawing of a line of any direction stretch by stretch, as a stretch's glyphs need not be
// next to each other. A glyph shared with the stretch before sits at one end of each, whatever the direction.
void drawByStretch(std::vector<GlyphDrawing>& drawings, const Line& line, int length, QPointF origin,
                   const QColor& textColor, const QColor& linkColor) {
    QList<QGlyphRun> previous;
    for (const Stretch& stretch : colourStretches(line.runs, length)) {
        const QColor& color = stretch.link ? linkColor : textColor;
        QList<QGlyphRun> glyphs = line.layout->glyphRuns(stretch.start, stretch.length);
        for (QGlyphRun& run : glyphs) {
            for (const QGlyphRun& before : previous) {
                const qsizetype last = before.glyphIndexes().size() - 1;
                for (const qsizetype i : {qsizetype(0), run.glyphIndexes().size() - 1}) {
                    if (last >= 0 && i >= 0 &&
                        (sameGlyph(run, i, before, 0) || sameGlyph(run, i, before, last))) {
                        run = withoutGlyph(run, i);
                        break;
                    }
                }
            }
            if (!run.isEmpty()) {
                drawings.push_back({origin, run, color});
            }
        }
        previous = std::move(glyphs);
    }
}

// The label's glyphs at `origin` (where its line's top left goes), links in the link colour, then
// the ellipsis at `ellipsisOrigin`.
std::vector<GlyphDrawing> labelDrawings(const Label& label, QPointF origin, QPointF ellipsisOrigin,
                                        const QColor& textColor, const QColor& linkColor) {
    std::vector<GlyphDrawing> drawings;
    if (label.drawnLength > 0) {
        if (label.isLeftToRight) {
            drawLeftToRight(drawings, label.line, label.drawnLength, label.glyphs, origin, textColor,
                            linkColor);
        } else {
            drawByStretch(drawings, label.line, label.drawnLength, origin, textColor, linkColor);
        }
    }
    if (label.ellipsis) {
        const QColor& color = label.ellipsisStyle.link ? linkColor : textColor;
        for (const QGlyphRun& run : label.ellipsis->glyphs) {
            drawings.push_back({ellipsisOrigin, run, color});
        }
    }
    return drawings;
}

// The device pixels of `size` logical pixels at `ratio` device pixels per logical pixel.
QSize devicePixels(QSizeF size, qreal ratio) {
    return {static_cast<int>(std::ceil(size.width() * ratio)),
            static_cast<int>(std::ceil(size.height() * ratio))};
}

// A transparent picture of `size` logical pixels at `ratio`.
QImage transparentImage(QSizeF size, qreal ratio) {
    QImage image(devicePixels(size, ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

// Moves the picture up by `fraction` (0 to 1) of a device pixel: each row blends with the one below.
// Qt's raster engine puts glyphs on whole device pixels, so this carries the part of an offset that
// falls between them.
void shiftUp(QImage& image, double fraction) {
    if (fraction <= 0.0) {
        return;
    }
    const auto keep = static_cast<int>(std::lround((1.0 - fraction) * 256.0));
    const int take = 256 - keep;
    const auto blend = [&](QRgb a, QRgb b) {
        const auto mix = [&](int x, int y) { return (x * keep + y * take + 128) >> 8; };
        return qRgba(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)),
                     mix(qAlpha(a), qAlpha(b)));
    };
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* below =
            y + 1 < image.height() ? reinterpret_cast<const QRgb*>(image.constScanLine(y + 1)) : nullptr;
        for (int x = 0; x < image.width(); ++x) {
            row[x] = blend(row[x], below != nullptr ? below[x] : 0);
        }
    }
}

StatusItemRendering renderPlaceholder(const StatusItemContent& content, const Limits& limits) {
    StatusItemRendering result;
    result.isPlaceholder = true;
    const double height = std::max(limits.itemHeight, placeholderSymbolSize + 6.0);
    result.itemSize = QSizeF(placeholderSymbolSize + 2 * statusItemHorizontalInset, height);
    result.labelRect = QRectF(statusItemHorizontalInset, (height - placeholderSymbolSize) / 2,
                              placeholderSymbolSize, placeholderSymbolSize);
    result.textRect = result.labelRect;
    result.baseline = result.labelRect.bottom();

    result.image = transparentImage(result.itemSize, limits.devicePixelRatio);
    QPainter painter(&result.image);
    drawPlaceholderSymbol(painter, result.labelRect, panelDefaultTextColor(content), content.fontFamily);
    return result;
}

} // namespace

StatusItemRendering renderStatusItem(const StatusItemContent& content) {
    const Limits limits = limitsOf(content);
    if (!hasVisibleText(content.text)) {
        return renderPlaceholder(content, limits);
    }

    const QFont font = labelFont(content, limits.textSize);
    const QString mono = monospaceFamily(content);
    // Without a prefix or suffix the text is shared, not copied.
    const QString composed = parsedPart(content.prefix.isEmpty() && content.suffix.isEmpty()
                                            ? content.text
                                            : content.prefix + content.text + content.suffix);

    StatusItemRendering result;
    result.toolTip = content.text;
    const Label label = labelOf(composed, font, mono, limits.maximumWidth);
    const double labelWidth = label.isTruncated ? limits.maximumWidth : label.width;
    result.isTruncated = label.isTruncated;

    const double lineHeight = label.height();
    const double itemHeight = std::max(limits.itemHeight, std::ceil(lineHeight) + 6.0);
    result.itemSize = QSizeF(labelWidth + 2 * statusItemHorizontalInset, itemHeight);
    // Centred in the item, then up by half a pixel and by the manual offset.
    const double top = (itemHeight - lineHeight) / 2 - 0.5 - limits.verticalOffset;
    result.labelRect = QRectF(statusItemHorizontalInset, top, labelWidth, lineHeight);
    const double left = statusItemHorizontalInset + (labelWidth - label.width) / 2;
    result.textRect = QRectF(left, top, label.width, lineHeight);
    result.baseline = top + label.ascent;

    // The offset's whole device pixels move the drawing; the rest is blended in afterwards.
    const double offsetPixels = limits.verticalOffset * limits.devicePixelRatio;
    const double wholePixels = std::floor(offsetPixels);
    {
        const double baseline =
            result.baseline + limits.verticalOffset - wholePixels / limits.devicePixelRatio;
        const QPointF origin(left, baseline - label.line.line().ascent());
        QPointF ellipsisOrigin;
        if (label.ellipsis) {
            ellipsisOrigin = QPointF(left + label.ellipsisX, baseline - label.ellipsis->ascent);
        }
        result.image = glyphPicture(
            devicePixels(result.itemSize, limits.devicePixelRatio), limits.devicePixelRatio,
            labelDrawings(label, origin, ellipsisOrigin, labelTextColor(content), linkTextColor(content)));
    }
    shiftUp(result.image, offsetPixels - wholePixels);
    if (content.legibleLinks && content.isDark) {
        applyLegibleLinksTone(result.image);
    }
    result.shownText = label.shownText;
    result.runs = label.runs;
    return result;
}

} // namespace zendra
