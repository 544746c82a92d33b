#include "prefs/dictionary_bridge.h"

#include <charconv>
#include <string>

namespace zendra::Prefs {

namespace {

// Digits only after an optional sign; from_chars then rejects values out of range.
template <class Integer> std::optional<Integer> parseDecimal(QStringView text, bool allowMinus) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    qsizetype start = 0;
    const bool negative = text.front() == u'-';
    if (text.front() == u'+' || negative) {
        if (negative && !allowMinus) {
            return std::nullopt;
        }
        start = 1;
    }
    if (start == text.size()) {
        return std::nullopt;
    }
    std::string digits = negative ? "-" : "";
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        digits.push_back(static_cast<char>(c.unicode()));
    }
    Integer value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<long long> parseSignedDecimal(QStringView text) {
    return parseDecimal<long long>(text, true);
}

std::optional<unsigned long long> parseUnsignedDecimal(QStringView text) {
    return parseDecimal<unsigned long long>(text, false);
}

} // namespace zendra::Prefs
