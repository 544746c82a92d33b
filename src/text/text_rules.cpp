#include "text/text_rules.h"

#include "settings/text/text_limits.h"

#include <algorithm>

namespace zendra {

bool isLineBreak(char16_t c) {
    switch (c) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}

QString singleLineText(QStringView text) {
    // QChar::isSpace covers the separators, tab to carriage return and NEL: whitespace and line breaks.
    const QStringView trimmed = text.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && !isLineBreak(trimmed[end].unicode()) && trimmed[end] != QChar(u'\0')) {
        ++end;
    }
    return Settings::clippedToMaxLength(trimmed.first(end).trimmed()).toString();
}

QString removeLineBreaks(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!isLineBreak(c.unicode())) {
            result.append(c);
        }
    }
    return result;
}

bool hasVisibleText(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
}

} // namespace zendra
