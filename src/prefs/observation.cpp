#include "prefs/observation.h"

#include <utility>

namespace zendra::Prefs {

std::shared_ptr<Observation> Observation::bindLifetime(QObject* owner) {
    auto self = shared_from_this();
    std::weak_ptr<Observation> weak = self;
    zendra::LifetimeAssociation association(owner, self, [weak] {
        if (auto observation = weak.lock()) {
            observation->endObservation();
        }
    });
    if (!association.isActive()) {
        return self; // no owner, or one on another thread: the existing binding stays
    }
    zendra::LifetimeAssociation previous;
    {
        std::lock_guard lock(associationMutex_);
        previous = std::exchange(lifetimeAssociation_, std::move(association));
    }
    // The previous binding is cancelled here, outside the lock.
    return self;
}

void Observation::unbindLifetime() {
    cancelLifetimeAssociation();
}

void Observation::cancelLifetimeAssociation() {
    zendra::LifetimeAssociation association;
    {
        std::lock_guard lock(associationMutex_);
        association = std::exchange(lifetimeAssociation_, zendra::LifetimeAssociation{});
    }
    // Cancelling may release the last reference to this observation: nothing touches it afterwards.
    association.cancel();
}

} // namespace zendra::Prefs
