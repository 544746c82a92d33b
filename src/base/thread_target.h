#pragma once

#include <functional>
#include <memory>
#include <mutex>

class QObject;

namespace zendra {

// A handle through which any thread may post work to a QObject's thread while the object may be
// destroyed on its own thread at the same time. Posting and destruction are serialised, so work is
// either queued before the object goes (and then dropped with its posted events) or refused.
class ThreadTarget {
public:
    // Create on `object`'s thread.
    static std::shared_ptr<ThreadTarget> make(QObject* object);

    // Queues `work` to run on the object's thread from its event loop; false when the object is gone.
    bool post(std::function<void()> work);

    // Call on the object's thread only (where destruction cannot race).
    bool isAlive() const;

    ThreadTarget(const ThreadTarget&) = delete;
    ThreadTarget& operator=(const ThreadTarget&) = delete;

private:
    struct Tag {};

public:
    ThreadTarget(Tag, QObject* object) : object_(object) {}

private:
    mutable std::mutex mutex_;
    QObject* object_;
};

} // namespace zendra
