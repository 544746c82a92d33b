#include "settings/text/text_limits.h"

#include <QCoreApplication>

namespace zendra::Settings {

std::optional<QString> textRefusal(QStringView text) {
    if (text.size() > maxTextLength) {
        return QCoreApplication::translate("zendra::Settings",
                                           "the text is longer than %1 characters; the text is unchanged")
            .arg(maxTextLength);
    }
    if (text.contains(QChar(u'\0'))) {
        return QCoreApplication::translate(
            "zendra::Settings", "the text contains a NUL character (U+0000); the text is unchanged");
    }
    return std::nullopt;
}

QStringView clippedToMaxLength(QStringView text) {
    if (text.size() <= maxTextLength) {
        return text;
    }
    const bool splitsPair = text[maxTextLength - 1].isHighSurrogate() && text[maxTextLength].isLowSurrogate();
    return text.first(splitsPair ? maxTextLength - 1 : maxTextLength);
}

} // namespace zendra::Settings
