#include "text/markdown_inline.h"

#include "text/markdown_entities.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <md4c.h>
#include <optional>

namespace zendra::Markdown {

namespace {

// Without branches, so that a loop over a whole text becomes vector code.
bool isLineBreak(char16_t c) {
    return (static_cast<char16_t>(c - u'\n') <= u'\r' - u'\n') | (c == 0x0085) | ((c | 1) == 0x2029);
}

// Long texts are common and rarely hold a line break, so whole blocks are tested at a time.
bool hasLineBreak(QStringView text) {
    constexpr qsizetype block = 16;
    const char16_t* units = text.utf16();
    qsizetype i = 0;
    for (; i + block <= text.size(); i += block) {
        unsigned found = 0;
        for (qsizetype k = 0; k < block; ++k) {
            found |= unsigned(isLineBreak(units[i + k]));
        }
        if (found != 0) {
            return true;
        }
    }
    return std::any_of(units + i, units + text.size(), isLineBreak);
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// One line: every line break, a CR LF pair included, becomes one space.
QString joinLines(QStringView source) {
    QString line(source.size(), Qt::Uninitialized);
    QChar* out = line.data();
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] == u'\r' && i + 1 < source.size() && source[i + 1] == u'\n') {
            continue;
        }
        *out++ = isLineBreak(source[i].unicode()) ? QChar(u' ') : source[i];
    }
    line.truncate(out - line.constData());
    return line;
}

bool isThematicBreak(QStringView line) {
    const QChar mark = line.front();
    qsizetype count = 0;
    for (QChar c : line) {
        if (c == mark) {
            ++count;
        } else if (!isBlank(c)) {
            return false;
        }
    }
    return count >= 3;
}

// The offset of the character to escape so that `line` (no leading blanks) cannot open a block, or
// -1 when it opens none. Only the line's start matters: with one line, every block starts there.
qsizetype blockMarkerOffset(QStringView line) {
    if (line.isEmpty()) {
        return -1;
    }
    const QChar first = line.front();
    const bool followedByBlank = line.size() == 1 || isBlank(line[1]);
    switch (first.unicode()) {
    case u'#':
    case u'>':
    case u'-':
    case u'+':
        // None of these means anything inline, so escaping them changes nothing else.
        return 0;
    case u'*':
    case u'_':
        return (first == u'*' && followedByBlank) || isThematicBreak(line) ? 0 : -1;
    case u'~':
    case u'`': {
        qsizetype run = 0;
        while (run < line.size() && line[run] == first) {
            ++run;
        }
        // A backtick fence's info string has no backticks; otherwise the run opens a code span.
        const bool fence = run >= 3 && (first == u'~' || !line.mid(run).contains(u'`'));
        return fence ? 0 : -1;
    }
    case u'[': {
        static const QRegularExpression definition(QStringLiteral(R"(^\[(?:[^\]\\]|\\.)+\]:)"));
        return definition.match(line).hasMatch() ? 0 : -1;
    }
    default:
        break;
    }
    qsizetype digits = 0;
    while (digits < line.size() && digits < 10 && line[digits].isDigit() && line[digits].unicode() < 128) {
        ++digits;
    }
    if (digits >= 1 && digits <= 9 && digits < line.size() &&
        (line[digits] == u'.' || line[digits] == u')') &&
        (digits + 1 == line.size() || isBlank(line[digits + 1]))) {
        return digits;
    }
    return -1;
}

// blockMarkerOffset() of a line of which only `start` is known; nothing when the rest of the line
// could change it.
std::optional<qsizetype> blockMarkerOffsetOfStart(QStringView start) {
    if (start.size() < 16) {
        return std::nullopt;
    }
    const QChar first = start.front();
    switch (first.unicode()) {
    case u'*':
    case u'_':
        if (std::all_of(start.begin(), start.end(), [first](QChar c) { return c == first || isBlank(c); })) {
            return std::nullopt;
        }
        break;
    case u'~':
    case u'`': {
        qsizetype run = 0;
        while (run < start.size() && start[run] == first) {
            ++run;
        }
        if (run == start.size() || (first == u'`' && run >= 3 && !start.sliced(run).contains(u'`'))) {
            return std::nullopt;
        }
        break;
    }
    case u'[':
        if (blockMarkerOffset(start) < 0) {
            return std::nullopt;
        }
        break;
    default:
        break;
    }
    return blockMarkerOffset(start);
}

// How far past a cut graphemeEnd() looks.
constexpr qsizetype graphemeWindow = 32;

// The end of the grapheme cluster that contains `position`, so that a cut keeps whole clusters. Only
// a short window is segmented: the cost stays bounded however long the piece is.
qsizetype graphemeEnd(const QString& piece, qsizetype position) {
    const QString head = piece.left(position + graphemeWindow);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, head);
    finder.setPosition(position);
    if (finder.isAtBoundary()) {
        return position;
    }
    const qsizetype next = finder.toNextBoundary();
    return next < 0 ? head.size() : next;
}

bool isAsciiPunctuation(QChar c) {
    return QLatin1StringView("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~").contains(c);
}

// md4c takes a longer run of backticks as literal text: it neither opens nor closes a code span.
constexpr qsizetype longestCodeSpanRun = 32;

// Walks the body (with the character at `escaped` escaped) to the places where a start of it can be
// parsed alone: no code span, bracket or link destination is open there, the place follows a space,
// and nothing before it can pair with anything after it. Autolinks, link titles and brackets inside
// a destination are not followed: the walk gives up on them. Emphasis is left to checkEmphasis().
class PrefixScanner {
public:
    // `isWhole`: `body` is the whole body, not only its start.
    PrefixScanner(QStringView body, qsizetype escaped, bool isWhole)
        : body_(body), escaped_(escaped), isWhole_(isWhole) {}

    // The first such place at or after `from`; -1 once the walk gave up or reached the end.
    qsizetype nextCut(qsizetype from) {
        while (position_ < body_.size()) {
            const qsizetype at = position_;
            const QChar c = body_[at];
            ++position_;
            if (at == escaped_) {
                continue;
            }
            switch (c.unicode()) {
            case u'\\':
                if (position_ < body_.size() && isAsciiPunctuation(body_[position_])) {
                    ++position_;
                }
                break;
            case u'`':
                if (!skipCodeSpan(at)) {
                    return giveUp();
                }
                break;
            case u'<':
                return giveUp();
            case u'[':
                if (destination_ > 0) {
                    return giveUp();
                }
                ++brackets_;
                break;
            case u']':
                if (destination_ > 0 || brackets_ == 0) {
                    return giveUp();
                }
                --brackets_;
                if (position_ < body_.size() && body_[position_] == u'(') {
                    destination_ = 1;
                    ++position_;
                }
                break;
            case u'(':
                destination_ += destination_ > 0 ? 1 : 0;
                break;
            case u')':
                destination_ -= destination_ > 0 ? 1 : 0;
                break;
            case u'"':
            case u'\'':
                if (destination_ > 0) {
                    return giveUp();
                }
                break;
            case u' ':
                if (position_ >= from && brackets_ == 0 && destination_ == 0) {
                    return position_;
                }
                break;
            default:
                break;
            }
        }
        return -1;
    }

private:
    qsizetype giveUp() {
        position_ = body_.size();
        return -1;
    }

    qsizetype runEnd(qsizetype start) const {
        qsizetype end = start;
        while (end < body_.size() && body_[end] == u'`') {
            ++end;
        }
        return end;
    }

    // A run of backticks opens a code span that ends at the next run of the same length; without
    // one in the whole body it is literal text. False when the known start of the body has none.
    bool skipCodeSpan(qsizetype start) {
        const qsizetype length = runEnd(start) - start;
        position_ = start + length;
        if (length > longestCodeSpanRun) {
            return true;
        }
        for (qsizetype i = position_; i < body_.size();) {
            if (body_[i] != u'`') {
                ++i;
                continue;
            }
            const qsizetype end = runEnd(i);
            if (end - i == length) {
                position_ = end;
                return true;
            }
            i = end;
        }
        return isWhole_;
    }

    QStringView body_;
    qsizetype escaped_;
    bool isWhole_;
    qsizetype position_ = 0;
    int brackets_ = 0;
    int destination_ = 0; // the depth of parentheses inside a link destination
};

bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

bool isAsciiAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// What a parse of a start of the body must show before it may stand for the parse of the whole.
struct PrefixCheck {
    QByteArrayView source;
    // The block marker's escaped character in `source`, if any.
    qsizetype escaped = -1;
    bool closed = true;
    int paragraphs = 0;
    qsizetype pieces = 0;
    qsizetype limitPiece = -1;
    // How much of the piece that reached the limit lay past it.
    qsizetype spare = 0;
    // Whether a piece with text followed the one that reached the limit.
    bool dropped = false;

    // A delimiter left as text could open emphasis closed further on, unless it can neither open
    // nor close: blanks on both sides, or an underscore inside a word.
    void checkEmphasis(const MD_CHAR* text, MD_SIZE size) {
        const char* begin = source.data();
        const char* end = begin + source.size();
        if (text < begin || text + size > end) {
            closed = false;
            return;
        }
        for (const char* c = text; c < text + size && closed; ++c) {
            if (*c != '*' && *c != '_' && *c != '~') {
                continue;
            }
            const char* first = c;
            while (first > begin && first[-1] == *c) {
                --first;
            }
            const char* last = c;
            while (last + 1 < end && last[1] == *c) {
                ++last;
            }
            const bool before = first == begin || isSpaceOrTab(first[-1]);
            const bool after = last + 1 < end && isSpaceOrTab(last[1]);
            const bool inWord = *c == '_' && first > begin && last + 1 < end &&
                                isAsciiAlphanumeric(first[-1]) && isAsciiAlphanumeric(last[1]);
            const bool isEscapedMarker = first == last && first - begin == escaped;
            closed = (before && after) || inWord || isEscapedMarker;
        }
    }

    // The last piece may stop short of where the whole text's piece ends; it stands for that piece
    // when the cut at the limit sees as far into both, and then drops some of it. Either way the
    // start holds only when text is dropped, which the whole text's rendering would show.
    bool holds() const {
        return closed && paragraphs == 1 && limitPiece >= 0 && (dropped || spare > graphemeWindow);
    }
};

struct Builder {
    InlineText result;
    qsizetype limit = -1;
    int emphasis = 0;
    int strong = 0;
    int code = 0;
    int strikethrough = 0;
    int link = 0;
    int textBlocks = 0;
    // Set while a start of the body is parsed: the parse then runs to its end for the check.
    PrefixCheck* check = nullptr;

    InlineStyle style() const { return {emphasis > 0, strong > 0, code > 0, strikethrough > 0, link > 0}; }

    // Appends `piece`, cut at the limit; the result counts as cut only when something was dropped.
    void append(QString piece) {
        if (limit >= 0) {
            const qsizetype room = std::max<qsizetype>(0, limit - result.text.size());
            if (piece.size() > room) {
                const qsizetype end = graphemeEnd(piece, room);
                if (end < piece.size()) {
                    piece.truncate(end);
                    result.isCut = true;
                }
            }
        }
        if (piece.isEmpty()) {
            return;
        }
        const InlineStyle current = style();
        if (!result.runs.empty() && result.runs.back().style == current) {
            result.runs.back().length += piece.size();
        } else {
            result.runs.push_back({result.text.size(), piece.size(), current});
        }
        result.text.append(piece);
    }

    bool reachedLimit() const { return limit >= 0 && result.text.size() >= limit; }
};

int* counterFor(Builder& builder, MD_SPANTYPE type) {
    switch (type) {
    case MD_SPAN_EM:
        return &builder.emphasis;
    case MD_SPAN_STRONG:
        return &builder.strong;
    case MD_SPAN_CODE:
        return &builder.code;
    case MD_SPAN_DEL:
        return &builder.strikethrough;
    case MD_SPAN_A:
        return &builder.link;
    default:
        return nullptr; // images show their alt text unstyled
    }
}

int enterBlock(MD_BLOCKTYPE type, void*, void* userdata) {
    auto& builder = *static_cast<Builder*>(userdata);
    if (builder.check) {
        builder.check->paragraphs += type == MD_BLOCK_P ? 1 : 0;
        builder.check->closed = builder.check->closed && (type == MD_BLOCK_DOC || type == MD_BLOCK_P);
        return 0;
    }
    // Should an unexpected second text block appear, its text follows after a space, on one line.
    if (type == MD_BLOCK_P || type == MD_BLOCK_H || type == MD_BLOCK_CODE) {
        if (builder.textBlocks++ > 0) {
            builder.append(QStringLiteral(" "));
        }
    }
    return 0;
}

int leaveBlock(MD_BLOCKTYPE, void*, void*) {
    return 0;
}

int enterSpan(MD_SPANTYPE type, void*, void* userdata) {
    auto& builder = *static_cast<Builder*>(userdata);
    if (int* counter = counterFor(builder, type)) {
        ++*counter;
    }
    return 0;
}

int leaveSpan(MD_SPANTYPE type, void*, void* userdata) {
    auto& builder = *static_cast<Builder*>(userdata);
    if (int* counter = counterFor(builder, type)) {
        --*counter;
    }
    return 0;
}

QString pieceText(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size) {
    switch (type) {
    case MD_TEXT_NULLCHAR:
        return QString(QChar(0xFFFD));
    case MD_TEXT_BR:
    case MD_TEXT_SOFTBR:
        return QStringLiteral(" ");
    case MD_TEXT_ENTITY: {
        QString reference = QString::fromUtf8(text, static_cast<qsizetype>(size));
        return decodeEntity(reference).value_or(reference);
    }
    default:
        return QString::fromUtf8(text, static_cast<qsizetype>(size));
    }
}

int onText(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size, void* userdata) {
    auto& builder = *static_cast<Builder*>(userdata);
    PrefixCheck* check = builder.check;
    if (!check) {
        builder.append(pieceText(type, text, size));
        // A non-zero return stops the parser once text was dropped: the rest cannot be shown anyway.
        // A piece that ends exactly at the limit does not stop it, as only what follows tells
        // whether anything was dropped.
        return builder.result.isCut ? 1 : 0;
    }
    if (type == MD_TEXT_NORMAL) {
        check->checkEmphasis(text, size);
    }
    const qsizetype index = check->pieces++;
    if (check->limitPiece >= 0) {
        if (!check->dropped) {
            check->dropped = !pieceText(type, text, size).isEmpty();
        }
    } else {
        QString piece = pieceText(type, text, size);
        const qsizetype spare = piece.size() - (builder.limit - builder.result.text.size());
        builder.append(std::move(piece));
        if (builder.reachedLimit()) {
            check->limitPiece = index;
            check->spare = spare;
        }
    }
    return 0;
}

// The body as the parser reads it: UTF-8, up to `end`, the block marker escaped.
QByteArray parserInput(QStringView body, qsizetype escaped, qsizetype end) {
    if (escaped < 0 || escaped >= end) {
        return body.first(end).toUtf8();
    }
    QByteArray input = body.first(escaped).toUtf8();
    input.append('\\');
    input.append(body.sliced(escaped, end - escaped).toUtf8());
    return input;
}

// Returns what md_parse() returns: non-zero when it failed.
int parse(const QByteArray& input, Builder& builder) {
    MD_PARSER parser{};
    parser.flags = MD_FLAG_STRIKETHROUGH | MD_FLAG_NOHTML;
    parser.enter_block = enterBlock;
    parser.leave_block = leaveBlock;
    parser.enter_span = enterSpan;
    parser.leave_span = leaveSpan;
    parser.text = onText;
    return md_parse(input.constData(), static_cast<MD_SIZE>(input.size()), &parser, &builder);
}

// Renders the body up to the builder's limit from a start of it, which costs what the shown part
// costs however long the body is. Gives up (false, builder untouched) when the start might render
// differently from the whole: an opening with its match further on, or too little text shown.
bool renderStart(QStringView body, qsizetype escaped, bool isWhole, Builder& builder) {
    PrefixScanner scanner(body, escaped, isWhole);
    // Markup makes the source longer than what it shows; the window doubles while too little shows.
    for (qsizetype from = 2 * builder.limit + 16; from < body.size();) {
        const qsizetype cut = scanner.nextCut(from);
        if (cut < 0) {
            return false;
        }
        const QByteArray input = parserInput(body, escaped, cut);
        PrefixCheck check{QByteArrayView(input), escaped < 0 ? -1 : body.first(escaped).toUtf8().size() + 1};
        Builder attempt = builder;
        attempt.check = &check;
        parse(input, attempt);
        if (check.holds()) {
            attempt.check = nullptr;
            attempt.result.isCut = true;
            builder = std::move(attempt);
            return true;
        }
        if (!check.closed) {
            return false;
        }
        from = 2 * cut;
    }
    return false;
}

// renderInline() of a long source from a window at its start, where most texts settle what shows;
// nothing when the window does not settle it.
std::optional<InlineText> renderWindow(QStringView source, qsizetype limit, qsizetype window) {
    const QStringView start = source.first(window);
    QString joined;
    QStringView line = start;
    if (hasLineBreak(start)) {
        joined = joinLines(start);
        line = joined;
    }
    qsizetype begin = 0;
    while (begin < line.size() && isBlank(line[begin])) {
        ++begin;
    }
    if (begin >= limit) {
        return std::nullopt;
    }
    const QStringView body = line.sliced(begin);
    const std::optional<qsizetype> escaped = blockMarkerOffsetOfStart(body);
    if (!escaped) {
        return std::nullopt;
    }
    Builder builder;
    builder.limit = limit;
    builder.append(line.first(begin).toString());
    if (!renderStart(body, *escaped, false, builder)) {
        return std::nullopt;
    }
    return std::move(builder.result);
}

} // namespace

InlineText renderInline(QStringView source, qsizetype limit) {
    // Neither the joining of lines nor the parse need touch a long source past its first units.
    if (const qsizetype window = 8 * limit + 256; limit >= 0 && source.size() > window) {
        if (std::optional<InlineText> start = renderWindow(source, limit, window)) {
            return std::move(*start);
        }
    }
    QString joined;
    QStringView line = source;
    if (hasLineBreak(source)) {
        joined = joinLines(source);
        line = joined;
    }
    // Blanks at either end are text here; the parser would drop them as indentation or line ends.
    qsizetype begin = 0;
    while (begin < line.size() && isBlank(line[begin])) {
        ++begin;
    }
    qsizetype end = line.size();
    while (end > begin && isBlank(line[end - 1])) {
        --end;
    }
    const QStringView body = line.sliced(begin, end - begin);
    const qsizetype escaped = blockMarkerOffset(body);

    Builder builder;
    builder.limit = limit;
    builder.append(line.first(begin).toString());
    if (!body.isEmpty() && !(limit >= 0 && renderStart(body, escaped, true, builder))) {
        if (parse(parserInput(body, escaped, body.size()), builder) != 0) {
            builder.result.isCut = true;
        }
    }
    if (!builder.result.isCut) {
        builder.append(line.sliced(end).toString());
    }
    return std::move(builder.result);
}

} // namespace zendra::Markdown
