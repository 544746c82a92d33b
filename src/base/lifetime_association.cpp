#include "base/lifetime_association.h"

#include <QObject>
#include <QThread>
#include <QtGlobal>
#include <mutex>
#include <utility>

namespace zendra {

namespace detail {

// Shared by the association and the tracker; the tracker pointer is valid while `trackerAlive`.
struct LifetimeLink {
    std::mutex mutex;
    std::shared_ptr<void> object;
    std::function<void()> handler;
    QObject* tracker = nullptr;
    QThread* thread = nullptr;
    bool trackerAlive = false;
    bool done = false; // fired or cancelled
};

} // namespace detail

namespace {

class LifetimeTracker final : public QObject {
public:
    LifetimeTracker(QObject* owner, std::shared_ptr<detail::LifetimeLink> link)
        : QObject(owner), link_(std::move(link)) {
        setObjectName(QStringLiteral("zendra-lifetime-tracker"));
    }

    ~LifetimeTracker() override {
        std::shared_ptr<void> object;
        std::function<void()> handler;
        {
            std::lock_guard lock(link_->mutex);
            link_->trackerAlive = false;
            link_->tracker = nullptr;
            link_->done = true;
            object = std::exchange(link_->object, nullptr);
            handler = std::exchange(link_->handler, nullptr);
        }
        if (handler) {
            handler();
        }
        // `object` goes last, after its handler has run.
    }

private:
    std::shared_ptr<detail::LifetimeLink> link_;
};

} // namespace

LifetimeAssociation::LifetimeAssociation(QObject* owner, std::shared_ptr<void> object,
                                         std::function<void()> ownerDestroyed) {
    if (owner == nullptr) {
        return;
    }
    if (QThread::currentThread() != owner->thread()) {
        qWarning("LifetimeAssociation: the owner lives on another thread; nothing is associated");
        return;
    }
    auto link = std::make_shared<detail::LifetimeLink>();
    link->object = std::move(object);
    link->handler = std::move(ownerDestroyed);
    link->thread = owner->thread();
    link->tracker = new LifetimeTracker(owner, link); // owned by `owner` as its child
    link->trackerAlive = true;
    link_ = std::move(link);
}

LifetimeAssociation::LifetimeAssociation(LifetimeAssociation&& other) noexcept
    : link_(std::exchange(other.link_, nullptr)) {}

LifetimeAssociation& LifetimeAssociation::operator=(LifetimeAssociation&& other) noexcept {
    if (this != &other) {
        cancel();
        link_ = std::exchange(other.link_, nullptr);
    }
    return *this;
}

LifetimeAssociation::~LifetimeAssociation() {
    cancel();
}

void LifetimeAssociation::cancel() {
    auto link = std::exchange(link_, nullptr);
    if (!link) {
        return;
    }
    std::shared_ptr<void> object;
    std::function<void()> handler;
    QObject* removable = nullptr;
    {
        std::lock_guard lock(link->mutex);
        if (link->done) {
            return;
        }
        link->done = true;
        object = std::exchange(link->object, nullptr);
        handler = std::exchange(link->handler, nullptr);
        // On the owner's thread the tracker cannot be destroyed behind our back, so it can go now.
        if (link->trackerAlive && QThread::currentThread() == link->thread) {
            removable = link->tracker;
        }
    }
    delete removable;
    // `object` and `handler` are released here, after the lock, since releasing may run destructors
    // that come back to this association.
}

bool LifetimeAssociation::isActive() const {
    if (!link_) {
        return false;
    }
    std::lock_guard lock(link_->mutex);
    return !link_->done;
}

} // namespace zendra
