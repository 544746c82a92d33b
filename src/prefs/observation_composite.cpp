#include "prefs/observation_composite.h"

namespace zendra::Prefs {

std::shared_ptr<CompositeUserDefaultsKeyObservation>
CompositeUserDefaultsKeyObservation::make(const std::vector<Keys>& keys, Callback callback) {
    return std::make_shared<CompositeUserDefaultsKeyObservation>(Tag{}, keys, std::move(callback));
}

CompositeUserDefaultsKeyObservation::CompositeUserDefaultsKeyObservation(Tag, const std::vector<Keys>& keys,
                                                                         Callback callback)
    : registrations_(std::move(callback)) {
    observables_.reserve(keys.size());
    for (const auto& key : keys) {
        observables_.push_back({key.suite(), key.name()});
    }
}

CompositeUserDefaultsKeyObservation::~CompositeUserDefaultsKeyObservation() {
    registrations_.end();
}

void CompositeUserDefaultsKeyObservation::start(ObservationOptions options) {
    registrations_.start(observables_, options);
}

void CompositeUserDefaultsKeyObservation::endObservation() {
    registrations_.end();
    cancelLifetimeAssociation();
}

} // namespace zendra::Prefs
