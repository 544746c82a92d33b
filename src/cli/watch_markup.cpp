#include "cli/watch_markup.h"

#include <array>
#include <utility>

namespace zendra {

namespace {

// The control characters a markup parser refuses raw; tab and the line breaks are fine.
bool needsReference(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0x7f && c <= 0x9f);
}

} // namespace

QString pangoEscaped(QStringView text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'&':
            escaped += QLatin1String("&amp;");
            break;
        case u'<':
            escaped += QLatin1String("&lt;");
            break;
        case u'>':
            escaped += QLatin1String("&gt;");
            break;
        case u'"':
            escaped += QLatin1String("&quot;");
            break;
        case u'\'':
            escaped += QLatin1String("&apos;");
            break;
        case u'\0':
            break;
        default:
            if (needsReference(c)) {
                escaped += QStringLiteral("&#x%1;").arg(unsigned(c), 0, 16);
            } else {
                escaped += qc;
            }
        }
    }
    return escaped;
}

QString pangoMarkup(const Markdown::InlineText& line) {
    using Flag = bool Markdown::InlineStyle::*;
    static constexpr std::array<std::pair<Flag, const char*>, 5> tags{{
        {&Markdown::InlineStyle::strong, "b"},
        {&Markdown::InlineStyle::emphasis, "i"},
        {&Markdown::InlineStyle::code, "tt"},
        {&Markdown::InlineStyle::strikethrough, "s"},
        {&Markdown::InlineStyle::link, "u"},
    }};
    QString markup;
    for (const Markdown::InlineRun& run : line.runs) {
        QString closing;
        for (const auto& [flag, tag] : tags) {
            if (run.style.*flag) {
                markup += QLatin1Char('<') + QLatin1String(tag) + QLatin1Char('>');
                closing.prepend(QLatin1String("</") + QLatin1String(tag) + QLatin1Char('>'));
            }
        }
        markup += pangoEscaped(QStringView(line.text).mid(run.start, run.length));
        markup += closing;
    }
    return markup;
}

} // namespace zendra
