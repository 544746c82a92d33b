#include "hotkeys/stored_shortcut.h"

#include <nlohmann/json.hpp>
#include <utility>

namespace zendra::Hotkeys {

namespace {

std::optional<std::int64_t> integerMember(const nlohmann::json& object, const char* name) {
    auto found = object.find(name);
    if (found == object.end()) {
        return std::nullopt;
    }
    if (found->is_number_unsigned()) {
        const auto value = found->get<std::uint64_t>();
        if (!std::in_range<std::int64_t>(value)) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(value);
    }
    if (found->is_number_integer()) {
        return found->get<std::int64_t>();
    }
    return std::nullopt;
}

std::optional<Shortcut> decodeText(const QString& text) {
    const auto json = nlohmann::json::parse(text.toStdString(), nullptr, /*allow_exceptions=*/false);
    if (!json.is_object()) {
        return std::nullopt;
    }
    const auto keyCode = integerMember(json, "carbonKeyCode");
    const auto modifiers = integerMember(json, "carbonModifiers");
    if (!keyCode || !modifiers) {
        return std::nullopt;
    }
    return Shortcut::unmasked(*keyCode, *modifiers);
}

} // namespace

QString encodeShortcut(const Shortcut& shortcut) {
    nlohmann::ordered_json json;
    json["carbonKeyCode"] = shortcut.carbonKeyCode;
    json["carbonModifiers"] = shortcut.carbonModifiers;
    return QString::fromStdString(json.dump());
}

std::optional<Shortcut> decodeShortcut(const Prefs::OptionalStoredObject& object) {
    const QString* text = object ? object->string() : nullptr;
    if (text == nullptr) {
        return std::nullopt;
    }
    // Each press decodes the stored text of every name again, and names mostly hold the same few
    // texts: the last decoding is kept per thread.
    thread_local std::optional<std::pair<QString, std::optional<Shortcut>>> last;
    if (!last || last->first != *text) {
        last.emplace(*text, decodeText(*text));
    }
    return last->second;
}

} // namespace zendra::Hotkeys
