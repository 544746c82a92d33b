#pragma once

// One line of inline Markdown as styled plain text: emphasis, strong emphasis, code spans,
// strikethrough and links are styled; block syntax (a leading "# ", "1. ", "> ", "- ", a fence, an
// indent, a reference definition) stays literal text, and raw HTML is text too. Backslash escapes
// and entities resolve as in any inline Markdown. Line breaks become spaces.

#include <QString>
#include <QStringView>
#include <vector>

namespace zendra::Markdown {

struct InlineStyle {
    bool emphasis = false;
    bool strong = false;
    bool code = false;
    bool strikethrough = false;
    bool link = false;

    bool operator==(const InlineStyle&) const = default;
};

// A stretch of the text with one style. Runs are in order, adjacent and cover the whole text.
struct InlineRun {
    qsizetype start = 0;
    qsizetype length = 0;
    InlineStyle style;

    bool operator==(const InlineRun&) const = default;
};

struct InlineText {
    QString text;
    std::vector<InlineRun> runs;
    // The text stopped at the limit while more visible text followed.
    bool isCut = false;
};

// Renders `source`. With `limit` >= 0, stops once about `limit` UTF-16 units of visible text exist
// and cuts back to a grapheme boundary, so that callers can lay out only what may fit; then only the
// start of a long source is read when nothing further on can change how that start shows.
InlineText renderInline(QStringView source, qsizetype limit = -1);

} // namespace zendra::Markdown
