#pragma once

#include <chrono>
#include <functional>

namespace zendra::test {

// For integration tests: runs the Qt event loop until `predicate` holds or `timeout` passes, checking
// it every few milliseconds. Returns the predicate's last value, so
//     ASSERT_TRUE(waitUntil([&] { return window.isVisible(); }, 5s));
// Without a QCoreApplication it only checks the predicate repeatedly.
bool waitUntil(const std::function<bool()>& predicate,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

} // namespace zendra::test
