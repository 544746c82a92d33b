#pragma once

#include "prefs/json_qt.h"

#include <QString>
#include <concepts>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace zendra::Prefs {

namespace detail::json_probe {

// to_json/from_json declared for T itself and found by argument-dependent lookup, as
// NLOHMANN_JSON_SERIALIZE_ENUM and hand-written conversions declare them.
template <class T>
concept DeclaresJson = requires(nlohmann::json& j, const nlohmann::json& cj, const T& value, T& out) {
    to_json(j, value);
    from_json(cj, out);
};

} // namespace detail::json_probe

// A type that nlohmann/json can encode and decode. An enumeration counts only when it declares its
// JSON form: the library's fallback (the bare underlying integer, with no check that the integer names
// a case) is not taken as a JSON form.
template <class T>
concept JsonEncodable = std::default_initializable<T> && requires(nlohmann::json& j, const T& value) {
    nlohmann::adl_serializer<T>::to_json(j, value);
} && requires(const nlohmann::json& j, T& value) {
    nlohmann::adl_serializer<T>::from_json(j, value);
} &&(!std::is_enum_v<T> || detail::json_probe::DeclaresJson<T>);

// Reports a failure's description as one line on standard error (the store's only report).
void printBridgeFailure(const std::string& description);

// Stores a value as the JSON text of the value alone: the one-element array [value] encoded compactly,
// without its brackets. 5 is stored as `5`, a string with its quotation marks, a structure as an object.
template <class T> struct TopLevelCodableBridge {
    using Value = T;
    using Stored = QString;

    static std::optional<QString> serialize(const std::optional<T>& value) {
        if (!value) {
            return std::nullopt;
        }
        try {
            nlohmann::json wrapped = nlohmann::json::array();
            wrapped.push_back(*value);
            const std::string text = wrapped.dump();
            return QString::fromUtf8(text.data() + 1, static_cast<qsizetype>(text.size()) - 2);
        } catch (const std::exception& error) {
            printBridgeFailure(error.what());
            return std::nullopt;
        }
    }

    static std::optional<T> deserialize(const std::optional<QString>& text) {
        if (!text) {
            return std::nullopt;
        }
        try {
            const std::string wrapped = "[" + text->toStdString() + "]";
            auto values = nlohmann::json::parse(wrapped).get<std::vector<T>>();
            if (values.empty()) {
                return std::nullopt;
            }
            return std::move(values.front());
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
};

} // namespace zendra::Prefs
