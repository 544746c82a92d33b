#pragma once

// The outcome code that both text responses carry.

#include <cstdint>
#include <optional>

namespace zendra {

enum class IntentResponseCode : std::int64_t {
    unspecified = 0,
    ready = 1,
    continueInApp = 2,
    inProgress = 3,
    success = 4,
    failure = 5,
    failureRequiringAppLaunch = 6,
};

// The code for a raw value, or none outside 0 to 6. The comparison is unsigned, so negative values
// fail as well.
constexpr std::optional<IntentResponseCode> responseCodeFromRaw(std::int64_t raw) {
    constexpr auto last = static_cast<std::uint64_t>(IntentResponseCode::failureRequiringAppLaunch);
    if (static_cast<std::uint64_t>(raw) > last) {
        return std::nullopt;
    }
    return static_cast<IntentResponseCode>(raw);
}

constexpr std::int64_t rawValue(IntentResponseCode code) {
    return static_cast<std::int64_t>(code);
}

} // namespace zendra
