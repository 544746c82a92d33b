#pragma once

#include <limits>

namespace zendra::KZApp {

// One more than `count`, stopping at the largest int: a stored count that was tampered with must not
// overflow.
constexpr int incremented(int count) {
    return count == std::numeric_limits<int>::max() ? count : count + 1;
}

} // namespace zendra::KZApp
