#include "text/markdown_entities.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zendra::Markdown {

namespace {

// The named references people actually type into a one-line text; sorted by name.
constexpr std::array<std::pair<const char16_t*, char32_t>, 62> namedEntities{{
    {u"AElig", 0x00C6},  {u"Auml", 0x00C4},   {u"Ouml", 0x00D6},   {u"Uuml", 0x00DC},   {u"aacute", 0x00E1},
    {u"aelig", 0x00E6},  {u"agrave", 0x00E0}, {u"amp", 0x0026},    {u"apos", 0x0027},   {u"auml", 0x00E4},
    {u"bull", 0x2022},   {u"ccedil", 0x00E7}, {u"cent", 0x00A2},   {u"check", 0x2713},  {u"copy", 0x00A9},
    {u"darr", 0x2193},   {u"deg", 0x00B0},    {u"divide", 0x00F7}, {u"eacute", 0x00E9}, {u"egrave", 0x00E8},
    {u"euro", 0x20AC},   {u"frac12", 0x00BD}, {u"frac14", 0x00BC}, {u"frac34", 0x00BE}, {u"ge", 0x2265},
    {u"gt", 0x003E},     {u"harr", 0x2194},   {u"hearts", 0x2665}, {u"hellip", 0x2026}, {u"iexcl", 0x00A1},
    {u"infin", 0x221E},  {u"iquest", 0x00BF}, {u"laquo", 0x00AB},  {u"larr", 0x2190},   {u"ldquo", 0x201C},
    {u"le", 0x2264},     {u"lsquo", 0x2018},  {u"lt", 0x003C},     {u"mdash", 0x2014},  {u"micro", 0x00B5},
    {u"middot", 0x00B7}, {u"nbsp", 0x00A0},   {u"ndash", 0x2013},  {u"ne", 0x2260},     {u"ntilde", 0x00F1},
    {u"ouml", 0x00F6},   {u"para", 0x00B6},   {u"plusmn", 0x00B1}, {u"pound", 0x00A3},  {u"quot", 0x0022},
    {u"raquo", 0x00BB},  {u"rarr", 0x2192},   {u"rdquo", 0x201D},  {u"reg", 0x00AE},    {u"rsquo", 0x2019},
    {u"sect", 0x00A7},   {u"shy", 0x00AD},    {u"szlig", 0x00DF},  {u"times", 0x00D7},  {u"trade", 0x2122},
    {u"uarr", 0x2191},   {u"uuml", 0x00FC},
}};

QString fromCodePoint(char32_t codePoint) {
    const bool valid = codePoint != 0 && codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
    const char32_t shown = valid ? codePoint : char32_t{0xFFFD};
    return QString::fromUcs4(&shown, 1);
}

std::optional<QString> decodeNumeric(QStringView digits) {
    int base = 10;
    if (!digits.isEmpty() && (digits.front() == u'x' || digits.front() == u'X')) {
        base = 16;
        digits = digits.mid(1);
    }
    if (digits.isEmpty() || digits.size() > 8) {
        return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, base);
    if (!ok) {
        return std::nullopt;
    }
    return fromCodePoint(value > 0x10FFFF ? char32_t{0xFFFD} : static_cast<char32_t>(value));
}

} // namespace

std::optional<QString> decodeEntity(QStringView reference) {
    if (reference.size() < 3 || reference.front() != u'&' || reference.back() != u';') {
        return std::nullopt;
    }
    const QStringView body = reference.mid(1, reference.size() - 2);
    if (body.front() == u'#') {
        return decodeNumeric(body.mid(1));
    }
    const auto found = std::lower_bound(
        namedEntities.begin(), namedEntities.end(), body,
        [](const auto& entry, QStringView name) { return QStringView(entry.first).compare(name) < 0; });
    if (found == namedEntities.end() || QStringView(found->first) != body) {
        return std::nullopt;
    }
    return fromCodePoint(found->second);
}

} // namespace zendra::Markdown
