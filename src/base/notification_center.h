#pragma once

#include "base/cancellable.h"

#include <QString>
#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace zendra {

// A posted notification: its name, the optional sender and the user-info entries.
struct Notification {
    QString name;
    const void* object = nullptr;
    std::map<QString, std::any> userInfo;

    // The user-info entry under `key` as a `T`, or null when absent or of another type.
    template <class T> const T* entry(const QString& key) const {
        auto found = userInfo.find(key);
        return found == userInfo.end() ? nullptr : std::any_cast<T>(&found->second);
    }
};

// An in-process broadcast of named notifications. Observers are called synchronously on the posting
// thread, in the order they were added, without any lock held, so they may post, add or cancel
// observers from inside their callback.
class NotificationCenter {
public:
    using Callback = std::function<void(const Notification&)>;

    // The process's default centre, created on first use and never destroyed.
    static NotificationCenter& defaultCenter();

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // Calls `callback` for every notification named `name` (every notification when `name` is empty)
    // whose sender is `object` (any sender when null), until the token is cancelled or destroyed.
    [[nodiscard]] Cancellable addObserver(const QString& name, const void* object, Callback callback);
    [[nodiscard]] Cancellable addObserver(const QString& name, Callback callback) {
        return addObserver(name, nullptr, std::move(callback));
    }

    void post(const Notification& notification) const;

    std::size_t observerCount() const;

private:
    struct Entry {
        QString name;
        const void* object;
        Callback callback;
        bool active = true;
    };
    struct State {
        mutable std::mutex mutex;
        std::vector<std::shared_ptr<Entry>> entries;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace zendra
