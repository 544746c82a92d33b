// The zendra: URL rule: any text given as a URL, and any text sent through a URL built for it.

#include "fuzz_check.h"
#include "text/text_rules.h"
#include "text/zendra_url.h"

#include <QUrl>

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);

    if (const std::optional<QString> shown = textFromZendraUrl(text)) {
        Fuzz::check(*shown == singleLineText(*shown), "a URL's text is a single trimmed line");
    }

    // A link that carries the text percent-encoded brings it to the item by the single-line rule.
    // U+0000 is left out: what a link does with it is the rule's own choice.
    if (!text.contains(QChar(0))) {
        const QString link =
            QStringLiteral("zendra:?text=") + QString::fromLatin1(QUrl::toPercentEncoding(text));
        Fuzz::check(textFromZendraUrl(link) == singleLineText(text), "an encoded text arrives whole");
        const QString repeated = link + QStringLiteral("&text=other");
        Fuzz::check(textFromZendraUrl(repeated) == singleLineText(text), "the first text wins");
    }
    return 0;
}
