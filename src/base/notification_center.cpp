#include "base/notification_center.h"

#include <algorithm>

namespace zendra {

NotificationCenter& NotificationCenter::defaultCenter() {
    // Leaked on purpose: observers may still cancel during static destruction.
    static auto* center = new NotificationCenter;
    return *center;
}

Cancellable NotificationCenter::addObserver(const QString& name, const void* object, Callback callback) {
    auto entry = std::make_shared<Entry>(Entry{name, object, std::move(callback)});
    {
        std::lock_guard lock(state_->mutex);
        state_->entries.push_back(entry);
    }
    std::weak_ptr<State> weakState = state_;
    return Cancellable([weakState, weakEntry = std::weak_ptr<Entry>(entry)] {
        auto state = weakState.lock();
        auto entry = weakEntry.lock();
        if (!state || !entry) {
            return;
        }
        std::lock_guard lock(state->mutex);
        entry->active = false;
        std::erase(state->entries, entry);
    });
}

void NotificationCenter::post(const Notification& notification) const {
    std::vector<std::shared_ptr<Entry>> matching;
    {
        std::lock_guard lock(state_->mutex);
        for (const auto& entry : state_->entries) {
            if ((entry->name.isEmpty() || entry->name == notification.name) &&
                (entry->object == nullptr || entry->object == notification.object)) {
                matching.push_back(entry);
            }
        }
    }
    for (const auto& entry : matching) {
        bool active = false;
        {
            std::lock_guard lock(state_->mutex);
            active = entry->active;
        }
        // An observer cancelled by an earlier one in this same delivery is not called.
        if (active) {
            entry->callback(notification);
        }
    }
}

std::size_t NotificationCenter::observerCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->entries.size();
}

} // namespace zendra
