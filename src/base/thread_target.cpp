#include "base/thread_target.h"

#include <QMetaObject>
#include <QObject>

namespace zendra {

std::shared_ptr<ThreadTarget> ThreadTarget::make(QObject* object) {
    auto target = std::make_shared<ThreadTarget>(Tag{}, object);
    if (object != nullptr) {
        // Without a context object the slot runs directly: `destroyed` is emitted on the deleting thread
        // before the object's posted events are discarded, and waits here for a post in progress elsewhere.
        std::weak_ptr<ThreadTarget> weak = target;
        QObject::connect(object, &QObject::destroyed, [weak] {
            if (auto alive = weak.lock()) {
                std::lock_guard lock(alive->mutex_);
                alive->object_ = nullptr;
            }
        });
    }
    return target;
}

bool ThreadTarget::post(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    if (object_ == nullptr) {
        return false;
    }
    return QMetaObject::invokeMethod(object_, std::move(work), Qt::QueuedConnection);
}

bool ThreadTarget::isAlive() const {
    std::lock_guard lock(mutex_);
    return object_ != nullptr;
}

} // namespace zendra
