#include "editor/main_screen_drop.h"

#include "base/main_queue.h"
#include "text/text_rules.h"

#include <QMimeData>
#include <QStringDecoder>
#include <QThreadPool>

namespace zendra {

namespace {

bool isUtf8PlainText(const QString& format) {
    const QStringList parts = format.split(u';');
    if (parts.first().trimmed().compare(u"text/plain", Qt::CaseInsensitive) != 0) {
        return false;
    }
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString parameter = parts[i].trimmed();
        if (parameter.startsWith(u"charset=", Qt::CaseInsensitive)) {
            const QString charset = parameter.mid(8).remove(u'"');
            return charset.compare(u"utf-8", Qt::CaseInsensitive) == 0 ||
                   charset.compare(u"utf8", Qt::CaseInsensitive) == 0;
        }
    }
    return true;
}

} // namespace

std::optional<QByteArray> plainTextPayload(const QMimeData& data) {
    for (const QString& format : data.formats()) {
        if (isUtf8PlainText(format)) {
            return data.data(format);
        }
    }
    return std::nullopt;
}

std::optional<QString> decodeUtf8(const QByteArray& payload) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(payload);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

void loadDroppedText(QByteArray payload, std::function<void(const QString&)> apply) {
    QThreadPool::globalInstance()->start([payload = std::move(payload), apply = std::move(apply)]() mutable {
        std::optional<QString> text = decodeUtf8(payload);
        if (!text) {
            return;
        }
        dispatchToMain([line = singleLineText(*text), apply = std::move(apply)] { apply(line); });
    });
}

} // namespace zendra
