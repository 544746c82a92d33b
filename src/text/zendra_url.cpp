#include "text/zendra_url.h"

#include "text/text_rules.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QUrl>
#include <cctype>

namespace zendra {

namespace {

// Percent-decodes strictly: a '%' not followed by two hex digits, or bytes that are not UTF-8, fail.
std::optional<QString> strictlyDecoded(QStringView encoded) {
    const QByteArray bytes = encoded.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%') {
            if (i + 2 >= bytes.size() || !std::isxdigit(static_cast<unsigned char>(bytes[i + 1])) ||
                !std::isxdigit(static_cast<unsigned char>(bytes[i + 2]))) {
                return std::nullopt;
            }
        }
    }
    const QByteArray decoded = QByteArray::fromPercentEncoding(bytes);
    QStringDecoder toUtf16(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = toUtf16(decoded);
    if (toUtf16.hasError()) {
        return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<QString> textFromZendraUrl(const QString& url) {
    // QUrl lower-cases schemes, so the scheme is taken from the text itself.
    const qsizetype colon = url.indexOf(u':');
    if (colon <= 0 || url.left(colon).trimmed() != QStringLiteral("zendra")) {
        return std::nullopt;
    }
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid()) {
        return std::nullopt;
    }
    // Decoded first: an encoded space ("zendra:%20?text=x") is whitespace, which trimming removes.
    if (!parsed.path(QUrl::FullyDecoded).trimmed().isEmpty()) {
        return std::nullopt;
    }
    const QString query = parsed.query(QUrl::FullyEncoded);
    for (const QStringView item : QStringView(query).split(u'&')) {
        const qsizetype equals = item.indexOf(u'=');
        if (equals < 0) {
            continue; // an item without a value
        }
        const auto name = strictlyDecoded(item.first(equals));
        if (!name) {
            return std::nullopt;
        }
        if (*name != QStringLiteral("text")) {
            continue;
        }
        const auto value = strictlyDecoded(item.sliced(equals + 1));
        if (!value) {
            continue;
        }
        return singleLineText(*value);
    }
    return std::nullopt;
}

} // namespace zendra
