#pragma once

#include <functional>

namespace zendra {

// Schedules `work` to run later on the main (GUI) thread's event loop, in the order of the calls.
// Safe to call from any thread. Without a QCoreApplication the work is dropped.
void dispatchToMain(std::function<void()> work);

// True when called on the thread of the QCoreApplication.
bool isMainThread();

} // namespace zendra
