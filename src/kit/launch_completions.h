#pragma once

#include <functional>
#include <vector>

namespace zendra::KZApp {

// Actions that wait for launching to finish. An action added afterwards runs at once.
class LaunchCompletions {
public:
    void add(std::function<void()> action);
    // Sets the finished flag and runs the waiting actions in the order they were added, once.
    void finishLaunching();
    bool hasFinishedLaunching() const { return finished_; }

private:
    std::vector<std::function<void()>> actions_;
    bool finished_ = false;
};

} // namespace zendra::KZApp
