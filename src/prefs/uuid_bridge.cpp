#include "prefs/uuid_bridge.h"

namespace zendra::Prefs {

QString uuidText(const QUuid& uuid) {
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> uuidFromText(QStringView text) {
    constexpr qsizetype length = 36;
    if (text.size() != length) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text[i];
        const bool hyphenPosition = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (hyphenPosition ? c != u'-' : !hex) {
            return std::nullopt;
        }
    }
    return QUuid::fromString(text);
}

} // namespace zendra::Prefs
