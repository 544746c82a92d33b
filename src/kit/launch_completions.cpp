#include "kit/launch_completions.h"

#include <utility>

namespace zendra::KZApp {

void LaunchCompletions::add(std::function<void()> action) {
    if (!action) {
        return;
    }
    if (finished_) {
        action();
        return;
    }
    actions_.push_back(std::move(action));
}

void LaunchCompletions::finishLaunching() {
    if (finished_) {
        return;
    }
    finished_ = true;
    // An action may add another; that one then runs at once through add().
    auto actions = std::exchange(actions_, {});
    for (auto& action : actions) {
        action();
    }
}

} // namespace zendra::KZApp
