#include "prefs/suite.h"

#include "prefs/logging.h"

namespace zendra::Prefs {

std::shared_ptr<Suite> Suite::makeInMemory() {
    return std::make_shared<Suite>();
}

Suite::~Suite() = default;

void Suite::persistentDomainDidChange(const QString&) {}

OptionalStoredObject Suite::effectiveLocked(const QString& name) const {
    if (auto found = persistent_.find(name); found != persistent_.end()) {
        return found->second;
    }
    if (auto found = registered_.find(name); found != registered_.end()) {
        return found->second;
    }
    return std::nullopt;
}

OptionalStoredObject Suite::object(const QString& name) const {
    std::shared_lock lock(dataMutex_);
    return effectiveLocked(name);
}

bool Suite::hasPersistentEntry(const QString& name) const {
    std::shared_lock lock(dataMutex_);
    return persistent_.contains(name);
}

Suite::ObserverList Suite::observersOf(const QString& name) const {
    if (!hasObservers_.load(std::memory_order_acquire)) {
        return {};
    }
    std::lock_guard lock(observerMutex_);
    auto found = observers_.find(name);
    return found == observers_.end() ? ObserverList{} : found->second;
}

void Suite::deliver(const ObserverList& observers, const SuiteChange& change, bool prior) {
    for (const auto& observer : observers) {
        if (prior && !observer->options.prior) {
            continue;
        }
        if (observer->active.load(std::memory_order_acquire)) {
            observer->callback(change);
        }
    }
}

void Suite::write(const QString& name, OptionalStoredObject object) {
    const auto observers = observersOf(name);
    const bool wantsPrior = std::any_of(observers.begin(), observers.end(),
                                        [](const auto& observer) { return observer->options.prior; });
    if (wantsPrior) {
        SuiteChange prior;
        prior.isPrior = true;
        prior.oldValue = this->object(name);
        deliver(observers, prior, true);
    }

    SuiteChange change;
    bool changed = true;
    {
        std::unique_lock lock(dataMutex_);
        if (!observers.empty()) {
            change.oldValue = effectiveLocked(name);
        }
        if (object) {
            persistent_.insert_or_assign(name, std::move(*object));
        } else {
            changed = persistent_.erase(name) > 0;
        }
        if (!observers.empty()) {
            change.newValue = effectiveLocked(name);
        }
    }
    if (!changed) {
        return;
    }
    persistentDomainDidChange(name);
    deliver(observers, change, false);
}

void Suite::setObject(const QString& name, OptionalStoredObject object) {
    write(name, std::move(object));
}

void Suite::removeObject(const QString& name) {
    write(name, std::nullopt);
}

void Suite::registerDefaults(const StoredDictionary& defaults) {
    std::vector<std::pair<QString, SuiteChange>> changes;
    {
        std::unique_lock lock(dataMutex_);
        for (const auto& [name, object] : defaults) {
            const bool visible = !persistent_.contains(name);
            SuiteChange change;
            if (visible) {
                change.oldValue = effectiveLocked(name);
            }
            registered_.insert_or_assign(name, object);
            if (visible && change.oldValue != object) {
                change.newValue = object;
                changes.emplace_back(name, std::move(change));
            }
        }
    }
    for (const auto& [name, change] : changes) {
        deliver(observersOf(name), change, false);
    }
}

StoredDictionary Suite::dictionaryRepresentation() const {
    std::shared_lock lock(dataMutex_);
    StoredDictionary all(registered_.begin(), registered_.end());
    for (const auto& [name, object] : persistent_) {
        all.insert_or_assign(name, object);
    }
    return all;
}

StoredDictionary Suite::persistentDomain() const {
    std::shared_lock lock(dataMutex_);
    return StoredDictionary(persistent_.begin(), persistent_.end());
}

QString Suite::location() const {
    return {};
}

void Suite::reportUnreadable(const QString& name, const StoredObject& object, const QString& reason) const {
    {
        std::lock_guard lock(reportMutex_);
        const auto reported = reported_.find(name);
        if (reported != reported_.end() && reported->second == object) {
            return;
        }
        reported_.insert_or_assign(name, object);
    }
    const QString place = location();
    qCWarning(prefsLog).noquote()
        << (place.isEmpty()
                ? QStringLiteral("the value of \"%1\" cannot be read (%2); its default is used")
                      .arg(name, reason)
                : QStringLiteral("the value of \"%1\" in %2 cannot be read (%3); its default is used")
                      .arg(name, place, reason));
}

void Suite::removeAll() {
    for (const auto& [name, object] : dictionaryRepresentation()) {
        removeObject(name);
    }
}

void Suite::applyExternalChanges(const std::map<QString, OptionalStoredObject>& changes) {
    std::vector<std::pair<QString, SuiteChange>> delivered;
    {
        std::unique_lock lock(dataMutex_);
        for (const auto& [name, object] : changes) {
            SuiteChange change;
            change.oldValue = effectiveLocked(name);
            if (object) {
                persistent_.insert_or_assign(name, *object);
            } else {
                persistent_.erase(name);
            }
            change.newValue = effectiveLocked(name);
            if (change.oldValue != change.newValue) {
                delivered.emplace_back(name, std::move(change));
            }
        }
    }
    for (const auto& [name, change] : delivered) {
        const auto observers = observersOf(name);
        SuiteChange prior;
        prior.isPrior = true;
        prior.oldValue = change.oldValue;
        deliver(observers, prior, true);
        deliver(observers, change, false);
    }
}

Suite::ObserverId Suite::addObserver(const QString& name, SuiteObserverOptions options,
                                     ObserverCallback callback) {
    auto observer = std::make_shared<Observer>();
    observer->name = name;
    observer->options = options;
    observer->callback = std::move(callback);
    {
        std::lock_guard lock(observerMutex_);
        observer->id = nextObserverId_++;
        observers_[name].push_back(observer);
        observersById_.emplace(observer->id, observer);
        hasObservers_.store(true, std::memory_order_release);
    }
    if (options.initial) {
        SuiteChange change;
        change.newValue = object(name);
        observer->callback(change);
    }
    return observer->id;
}

void Suite::removeObserver(ObserverId id) {
    std::lock_guard lock(observerMutex_);
    auto found = observersById_.find(id);
    if (found == observersById_.end()) {
        return;
    }
    auto observer = found->second;
    observer->active.store(false, std::memory_order_release);
    observersById_.erase(found);
    auto& list = observers_[observer->name];
    std::erase(list, observer);
    if (list.empty()) {
        observers_.erase(observer->name);
    }
    hasObservers_.store(!observersById_.empty(), std::memory_order_release);
}

} // namespace zendra::Prefs
