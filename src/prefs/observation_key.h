#pragma once

#include "prefs/observation.h"
#include "prefs/observation_registrations.h"
#include "prefs/suite.h"

#include <QString>
#include <functional>
#include <memory>

namespace zendra::Prefs {

// Observation of one name in one suite. It holds the suite weakly: a suite that is gone simply
// delivers nothing more. Callbacks run synchronously on the thread that made the change (another
// process's changes: the thread that found them), and not for changes made inside withoutPropagation on
// that thread. Releasing the last handle ends the observation.
class UserDefaultsKeyObservation final : public Observation {
    struct Tag {};

public:
    using Callback = std::function<void(const BaseChange&)>;

    // Created unstarted; see start().
    static std::shared_ptr<UserDefaultsKeyObservation> make(const std::shared_ptr<Suite>& suite, QString key,
                                                            Callback callback);
    UserDefaultsKeyObservation(Tag, const std::shared_ptr<Suite>& suite, QString key, Callback callback);
    ~UserDefaultsKeyObservation() override;

    // Registers with the suite if it still exists. With `initial`, the first change is delivered before
    // this returns. Only the first call has an effect, and none after ending.
    void start(ObservationOptions options);

    void endObservation() override;

    std::shared_ptr<UserDefaultsKeyObservation> bindLifetime(QObject* owner) {
        return std::static_pointer_cast<UserDefaultsKeyObservation>(Observation::bindLifetime(owner));
    }

    const QString& key() const { return key_; }
    // True while registered (started with a suite that existed) and not ended.
    bool isActive() const { return registrations_.isActive(); }

private:
    std::weak_ptr<Suite> suite_;
    QString key_;
    detail::ObserverRegistrations registrations_;
};

} // namespace zendra::Prefs
