#include "prefs/json_qt.h"

#include "prefs/uuid_bridge.h"

#include <cmath>

namespace zendra::Prefs {
QDateTime referenceDate() {
    static const QDateTime date(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    return date;
}
} // namespace zendra::Prefs

namespace nlohmann {

void adl_serializer<QString>::to_json(json& j, const QString& value) {
    j = value.toStdString();
}

void adl_serializer<QString>::from_json(const json& j, QString& value) {
    value = QString::fromStdString(j.get<std::string>());
}

void adl_serializer<QByteArray>::to_json(json& j, const QByteArray& value) {
    j = value.toBase64().toStdString();
}

void adl_serializer<QByteArray>::from_json(const json& j, QByteArray& value) {
    const auto text = QByteArray::fromStdString(j.get<std::string>());
    auto decoded = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        throw json::type_error::create(302, "data is not valid base64 text", &j);
    }
    value = std::move(*decoded);
}

void adl_serializer<QDateTime>::to_json(json& j, const QDateTime& value) {
    j = static_cast<double>(zendra::Prefs::referenceDate().msecsTo(value)) / 1000.0;
}

void adl_serializer<QDateTime>::from_json(const json& j, QDateTime& value) {
    const double seconds = j.get<double>();
    if (!std::isfinite(seconds)) {
        throw json::type_error::create(302, "date is not a finite number", &j);
    }
    value = zendra::Prefs::referenceDate().addMSecs(static_cast<qint64>(std::llround(seconds * 1000.0)));
}

void adl_serializer<QUrl>::to_json(json& j, const QUrl& value) {
    // An empty or invalid URL would be written as text that never reads back.
    if (!value.isValid()) {
        throw json::other_error::create(501, "URL is empty or invalid", &j);
    }
    j = value.toString(QUrl::FullyEncoded).toStdString();
}

void adl_serializer<QUrl>::from_json(const json& j, QUrl& value) {
    QUrl url(QString::fromStdString(j.get<std::string>()), QUrl::StrictMode);
    if (!url.isValid()) {
        throw json::type_error::create(302, "text is not a valid URL", &j);
    }
    value = std::move(url);
}

void adl_serializer<QUuid>::to_json(json& j, const QUuid& value) {
    j = zendra::Prefs::uuidText(value).toStdString();
}

void adl_serializer<QUuid>::from_json(const json& j, QUuid& value) {
    auto uuid = zendra::Prefs::uuidFromText(QString::fromStdString(j.get<std::string>()));
    if (!uuid) {
        throw json::type_error::create(302, "text is not a UUID", &j);
    }
    value = *uuid;
}

} // namespace nlohmann
