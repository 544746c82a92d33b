#pragma once

#include <QString>
#include <QStringView>
#include <QUuid>
#include <optional>

namespace zendra::Prefs {

// The canonical text of a UUID: 36 characters, upper-case hexadecimal digits in groups 8-4-4-4-12.
QString uuidText(const QUuid& uuid);

// A UUID from its canonical text, in either case; nothing for any other text (braces, missing groups,
// stray characters).
std::optional<QUuid> uuidFromText(QStringView text);

// Stores a UUID as its canonical text; text that is not a UUID reads as nothing.
struct UUIDBridge {
    using Value = QUuid;
    using Stored = QString;

    static std::optional<QString> serialize(const std::optional<QUuid>& value) {
        if (!value) {
            return std::nullopt;
        }
        return uuidText(*value);
    }

    static std::optional<QUuid> deserialize(const std::optional<QString>& text) {
        if (!text) {
            return std::nullopt;
        }
        return uuidFromText(*text);
    }
};

} // namespace zendra::Prefs
