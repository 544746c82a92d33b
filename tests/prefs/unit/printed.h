#pragma once

#include <gtest/gtest.h>
#include <string>

namespace zendra::test {

// What `action` prints on standard error, where the bridges report values they cannot store or read.
template <class Action> std::string printedBy(Action&& action) {
    testing::internal::CaptureStderr();
    action();
    return testing::internal::GetCapturedStderr();
}

inline bool isOneLine(const std::string& output) {
    return !output.empty() && output.find('\n') == output.size() - 1;
}

} // namespace zendra::test
