#pragma once

#include "prefs/stored_object.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <vector>

namespace zendra::Prefs {

// What an observer of a name asks for, besides the old and new objects it always gets.
struct SuiteObserverOptions {
    bool initial = false; // one change during addObserver, carrying the current object
    bool prior = false;   // an extra change with isPrior before each change
};

// A change of a name as the suite reports it. Objects are the effective ones (persistent entry, else
// registered default); an absent object means the name had, or has, no value.
struct SuiteChange {
    static constexpr std::uint64_t kindSetting = 1;

    std::uint64_t kind = kindSetting;
    std::optional<std::vector<std::size_t>> indexes;
    bool isPrior = false;
    OptionalStoredObject newValue;
    OptionalStoredObject oldValue;
};

// A preferences suite: a persistent domain (what setObject writes) over a volatile registration layer
// (registerDefaults, consulted only when the persistent domain has no entry for a name).
//
// Safe for concurrent use from several threads. Observers are called synchronously on the thread that
// made the change, without any lock of the suite held, so they may read and write the suite. A change
// that another process made (persistent suites) is delivered on the thread that finds it: the suite's
// own I/O thread, or the one that flushes or reloads it.
class Suite : public std::enable_shared_from_this<Suite> {
public:
    using ObserverId = std::uint64_t;
    using ObserverCallback = std::function<void(const SuiteChange&)>;

    // A suite that lives in memory only: for tests and for short-lived scratch stores.
    static std::shared_ptr<Suite> makeInMemory();

    Suite() = default;
    Suite(const Suite&) = delete;
    Suite& operator=(const Suite&) = delete;
    virtual ~Suite();

    // The persistent entry for `name`, else its registered default, else nothing.
    OptionalStoredObject object(const QString& name) const;
    // Stores `object` under `name`; nothing removes the entry.
    void setObject(const QString& name, OptionalStoredObject object);
    void removeObject(const QString& name);
    // Merges `defaults` into the registration layer (never persisted).
    void registerDefaults(const StoredDictionary& defaults);
    // Every name visible through the suite with its effective object.
    StoredDictionary dictionaryRepresentation() const;
    // Removes every name of dictionaryRepresentation() from the persistent domain, one by one.
    void removeAll();

    // The persistent domain alone, without registered defaults.
    StoredDictionary persistentDomain() const;
    bool hasPersistentEntry(const QString& name) const;

    // Where the entries are kept, for diagnostics: the file's path; empty for a suite in memory.
    virtual QString location() const;
    // Says on standard error that `object`, stored under `name`, cannot be read as its key's type: once
    // per name and object, however often it is read.
    void reportUnreadable(const QString& name, const StoredObject& object, const QString& reason) const;

    // Calls `callback` for each change of `name` until removeObserver. With `initial`, the first call
    // happens before addObserver returns.
    ObserverId addObserver(const QString& name, SuiteObserverOptions options, ObserverCallback callback);
    // After this returns, the callback is not called again (a call already running on another thread
    // may still finish).
    void removeObserver(ObserverId id);

protected:
    // Called after each change of the persistent domain made in this process, on the writing thread,
    // with no lock held. Persistent suites schedule their write here; it must be cheap.
    virtual void persistentDomainDidChange(const QString& name);

    // Replaces persistent entries with objects that came from elsewhere (another process's write), with
    // nothing meaning removed, and notifies observers of each name whose effective object changed.
    // Does not call persistentDomainDidChange.
    void applyExternalChanges(const std::map<QString, OptionalStoredObject>& changes);

private:
    struct Observer {
        ObserverId id;
        QString name;
        SuiteObserverOptions options;
        ObserverCallback callback;
        std::atomic<bool> active{true};
    };
    using ObserverList = std::vector<std::shared_ptr<Observer>>;

    OptionalStoredObject effectiveLocked(const QString& name) const;
    ObserverList observersOf(const QString& name) const;
    void write(const QString& name, OptionalStoredObject object);
    static void deliver(const ObserverList& observers, const SuiteChange& change, bool prior);

    mutable std::shared_mutex dataMutex_;
    std::unordered_map<QString, StoredObject> persistent_;
    std::unordered_map<QString, StoredObject> registered_;

    mutable std::mutex observerMutex_;
    std::unordered_map<QString, ObserverList> observers_;
    std::unordered_map<ObserverId, std::shared_ptr<Observer>> observersById_;
    ObserverId nextObserverId_ = 1;
    std::atomic<bool> hasObservers_{false};

    mutable std::mutex reportMutex_;
    mutable std::unordered_map<QString, StoredObject> reported_;
};

} // namespace zendra::Prefs
