#include "app/text/markdown_inline.h"

#include "app/text/markdown_entities.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <md4c.h>

namespace zendra::Markdown {

namespace {

bool isLineBreak(QChar c) {
    switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// One line: every line break, a CR LF pair included, becomes one space.
QString joinLines(QStringView source) {
    QString line;
    line.reserve(source.size());
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] == u'\r' && i + 1 < source.size() && source[i + 1] == u'\n') {
            continue;
        }
        line.append(isLineBreak(source[i]) ? QChar(u' ') : source[i]);
    }
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

// The end of the grapheme cluster that contains `position`, so that a cut keeps whole clusters. Only
// a short window is segmented: the cost stays bounded however long the piece is.
qsizetype graphemeEnd(const QString& piece, qsizetype position) {
    constexpr qsizetype window = 32;
    const QString head = piece.left(position + window);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, head);
    finder.setPosition(position);
    if (finder.isAtBoundary()) {
        return position;
    }
    const qsizetype next = finder.toNextBoundary();
    return next < 0 ? head.size() : next;
}

struct Builder {
    InlineText result;
    qsizetype limit = -1;
    int emphasis = 0;
    int strong = 0;
    int code = 0;
    int strikethrough = 0;
    int link = 0;
    int textBlocks = 0;

    InlineStyle style() const { return {emphasis > 0, strong > 0, code > 0, strikethrough > 0, link > 0}; }

    void append(QString piece) {
        if (limit >= 0) {
            const qsizetype room = std::max<qsizetype>(0, limit - result.text.size());
            if (piece.size() > room) {
                piece.truncate(graphemeEnd(piece, room));
                result.isCut = true;
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
    // Should an unexpected second text block appear, its text follows after a space, on one line.
    auto& builder = *static_cast<Builder*>(userdata);
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

int onText(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size, void* userdata) {
    auto& builder = *static_cast<Builder*>(userdata);
    const QString piece = QString::fromUtf8(text, static_cast<qsizetype>(size));
    switch (type) {
    case MD_TEXT_NULLCHAR:
        builder.append(QString(QChar(0xFFFD)));
        break;
    case MD_TEXT_BR:
    case MD_TEXT_SOFTBR:
        builder.append(QStringLiteral(" "));
        break;
    case MD_TEXT_ENTITY:
        builder.append(decodeEntity(piece).value_or(piece));
        break;
    default:
        builder.append(piece);
        break;
    }
    // A non-zero return stops the parser: the rest cannot be shown anyway.
    return builder.reachedLimit() ? 1 : 0;
}

} // namespace

InlineText renderInline(QStringView source, qsizetype limit) {
    const QString line = joinLines(source);
    // Blanks at either end are text here; the parser would drop them as indentation or line ends.
    qsizetype begin = 0;
    while (begin < line.size() && isBlank(line[begin])) {
        ++begin;
    }
    qsizetype end = line.size();
    while (end > begin && isBlank(line[end - 1])) {
        --end;
    }
    QString body = line.mid(begin, end - begin);
    if (const qsizetype marker = blockMarkerOffset(body); marker >= 0) {
        body.insert(marker, u'\\');
    }

    Builder builder;
    builder.limit = limit;
    builder.append(line.left(begin));
    if (!builder.reachedLimit() && !body.isEmpty()) {
        const QByteArray utf8 = body.toUtf8();
        MD_PARSER parser{};
        parser.flags = MD_FLAG_STRIKETHROUGH | MD_FLAG_NOHTML;
        parser.enter_block = enterBlock;
        parser.leave_block = leaveBlock;
        parser.enter_span = enterSpan;
        parser.leave_span = leaveSpan;
        parser.text = onText;
        if (md_parse(utf8.constData(), static_cast<MD_SIZE>(utf8.size()), &parser, &builder) != 0) {
            builder.result.isCut = true;
        }
    }
    if (!builder.result.isCut) {
        builder.append(line.mid(end));
    }
    return std::move(builder.result);
}

} // namespace zendra::Markdown
