#include "prefs/observation_key.h"

namespace zendra::Prefs {

std::shared_ptr<UserDefaultsKeyObservation>
UserDefaultsKeyObservation::make(const std::shared_ptr<Suite>& suite, QString key, Callback callback) {
    return std::make_shared<UserDefaultsKeyObservation>(Tag{}, suite, std::move(key), std::move(callback));
}

UserDefaultsKeyObservation::UserDefaultsKeyObservation(Tag, const std::shared_ptr<Suite>& suite, QString key,
                                                       Callback callback)
    : suite_(suite), key_(std::move(key)), registrations_(std::move(callback)) {}

UserDefaultsKeyObservation::~UserDefaultsKeyObservation() {
    registrations_.end();
}

void UserDefaultsKeyObservation::start(ObservationOptions options) {
    registrations_.start({{suite_, key_}}, options);
}

void UserDefaultsKeyObservation::endObservation() {
    registrations_.end();
    cancelLifetimeAssociation();
}

} // namespace zendra::Prefs
