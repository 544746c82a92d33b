#pragma once

// JSON forms of the Qt value types, so they can be members of JSON-encodable structures and go through
// the JSON text bridge: strings as UTF-8 strings, data as base64 text, dates as seconds since
// 2001-01-01 00:00:00 UTC (a floating-point number), URLs as their encoded text, UUIDs as canonical text.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>
#include <QUuid>
#include <nlohmann/json.hpp>

namespace zendra::Prefs {
// The reference date of dates in JSON form and in keyed archives: 2001-01-01T00:00:00Z.
QDateTime referenceDate();
} // namespace zendra::Prefs

namespace nlohmann {

template <> struct adl_serializer<QString> {
    static void to_json(json& j, const QString& value);
    static void from_json(const json& j, QString& value);
};

template <> struct adl_serializer<QByteArray> {
    static void to_json(json& j, const QByteArray& value);
    static void from_json(const json& j, QByteArray& value);
};

template <> struct adl_serializer<QDateTime> {
    static void to_json(json& j, const QDateTime& value);
    static void from_json(const json& j, QDateTime& value);
};

template <> struct adl_serializer<QUrl> {
    static void to_json(json& j, const QUrl& value);
    static void from_json(const json& j, QUrl& value);
};

template <> struct adl_serializer<QUuid> {
    static void to_json(json& j, const QUuid& value);
    static void from_json(const json& j, QUuid& value);
};

} // namespace nlohmann
