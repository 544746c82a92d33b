#pragma once

// The outcome codes that automation responses carry. Both response kinds share the seven values but
// keep types of their own, so that a code of one kind is never passed where the other is expected.

#include <cstdint>
#include <optional>

namespace zendra {

enum class SetTextIntentResponseCode : std::int64_t {
    unspecified = 0,
    ready = 1,
    continueInApp = 2,
    inProgress = 3,
    success = 4,
    failure = 5,
    failureRequiringAppLaunch = 6,
};

enum class GetTextIntentResponseCode : std::int64_t {
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
template <class Code> std::optional<Code> responseCodeFromRaw(std::int64_t raw) {
    constexpr auto last = static_cast<std::uint64_t>(Code::failureRequiringAppLaunch);
    if (static_cast<std::uint64_t>(raw) > last) {
        return std::nullopt;
    }
    return static_cast<Code>(raw);
}

template <class Code> constexpr std::int64_t rawValue(Code code) {
    return static_cast<std::int64_t>(code);
}

} // namespace zendra
