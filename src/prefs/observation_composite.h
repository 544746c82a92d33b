#pragma once

#include "prefs/key.h"
#include "prefs/observation.h"
#include "prefs/observation_registrations.h"

#include <functional>
#include <memory>
#include <vector>

namespace zendra::Prefs {

// Observation of several names, possibly in different suites (each held weakly). The callback runs
// once per change of any of them, synchronously on the changing thread, with that change; changes
// made inside withoutPropagation on that thread are not delivered.
class CompositeUserDefaultsKeyObservation final : public Observation {
    struct Tag {};

public:
    using Callback = std::function<void(const BaseChange&)>;

    // Created unstarted; see start(). One pair per key, in the given order.
    static std::shared_ptr<CompositeUserDefaultsKeyObservation> make(const std::vector<Keys>& keys,
                                                                     Callback callback);
    CompositeUserDefaultsKeyObservation(Tag, const std::vector<Keys>& keys, Callback callback);
    ~CompositeUserDefaultsKeyObservation() override;

    // Registers every pair whose suite still exists. Only the first call has an effect.
    void start(ObservationOptions options);

    void endObservation() override;

    std::shared_ptr<CompositeUserDefaultsKeyObservation> bindLifetime(QObject* owner) {
        return std::static_pointer_cast<CompositeUserDefaultsKeyObservation>(
            Observation::bindLifetime(owner));
    }

    // True while registered (started with a suite that existed) and not ended.
    bool isActive() const { return registrations_.isActive(); }

private:
    std::vector<detail::SuiteKeyPair> observables_;
    detail::ObserverRegistrations registrations_;
};

} // namespace zendra::Prefs
