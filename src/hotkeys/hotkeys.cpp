#include "hotkeys/hotkeys.h"

#include "base/main_queue.h"
#include "base/notification_center.h"
#include "hotkeys/carbon_hotkeys.h"
#include "hotkeys/stored_shortcut.h"
#include "prefs/standard_suite.h"

#include <QUuid>
#include <functional>
#include <map>
#include <unordered_map>

namespace zendra::Hotkeys {

namespace {

using ActionMap = std::unordered_map<Name, std::vector<Action>>;
using StreamMap = std::unordered_map<Name, std::map<QUuid, Action>>;

struct Watch {
    Name name;
    Prefs::Suite::ObserverId observer;
};

struct State {
    Environment environment;
    std::unordered_set<Shortcut> active;
    ActionMap keyDownActions;
    ActionMap keyUpActions;
    StreamMap keyDownStreams;
    StreamMap keyUpStreams;
    bool dispatchPaused = false;
    // Names whose stored value is followed, by storage key.
    std::unordered_map<QString, Watch> watches;
    // Non-zero while this subsystem writes to the suite, so its own writes are not followed twice.
    int ownWrites = 0;
    // Advances with each environment, so work queued for an earlier one is dropped.
    std::uint64_t generation = 0;
};

State& state() {
    static auto* instance = new State;
    return *instance;
}

// The standard suite is opened only when no other suite was installed before first use.
Prefs::Suite& suite() {
    auto& environment = state().environment;
    if (!environment.suite) {
        environment.suite = Prefs::standardSuite();
    }
    return *environment.suite;
}

void postChange(const Name& name) {
    zendra::Notification notification;
    notification.name = shortcutByNameDidChange;
    notification.userInfo.emplace(nameUserInfoKey, name);
    zendra::NotificationCenter::defaultCenter().post(notification);
}

void write(const Name& name, Prefs::StoredObject object) {
    auto& s = state();
    ++s.ownWrites;
    suite().setObject(name.storageKey(), std::move(object));
    --s.ownWrites;
}

void registerHotKey(const Shortcut& shortcut) {
    auto& s = state();
    if (!s.active.contains(shortcut)) {
        CarbonHotkeys::registerShortcut(shortcut, &dispatchKeyDown, &dispatchKeyUp);
        s.active.insert(shortcut);
    }
}

void unregisterHotKey(const Shortcut& shortcut) {
    CarbonHotkeys::unregisterShortcut(shortcut);
    state().active.erase(shortcut);
}

std::vector<Name> namesWithHandlers() {
    const auto& s = state();
    std::vector<Name> names;
    auto collect = [&names](const auto& map) {
        for (const auto& entry : map) {
            if (std::find(names.begin(), names.end(), entry.first) == names.end()) {
                names.push_back(entry.first);
            }
        }
    };
    collect(s.keyDownActions);
    collect(s.keyUpActions);
    collect(s.keyDownStreams);
    collect(s.keyUpStreams);
    return names;
}

// Unregisters the shortcut `name` is giving up, unless another name with actions or streams still
// stores it: that name would otherwise lose its hot key while it still shows and stores it.
void releaseUnlessShared(const Shortcut& shortcut, const Name& name) {
    for (const auto& other : namesWithHandlers()) {
        if (!(other == name) && getShortcut(other) == shortcut) {
            return;
        }
    }
    unregisterHotKey(shortcut);
}

// The registration part of a set or clear that happened outside `setShortcut`.
void followChange(const Name& name, const std::optional<Shortcut>& before,
                  const std::optional<Shortcut>& after) {
    if (before == after) {
        return;
    }
    if (before) {
        releaseUnlessShared(*before, name);
    }
    if (after) {
        registerHotKey(*after);
    }
    postChange(name);
}

void dispatch(const std::function<bool(const Name&)>& matches, const ActionMap& actions,
              const StreamMap& streams) {
    if (state().dispatchPaused) {
        return;
    }
    // Collected first: an action may attach or remove handlers while the lists are walked.
    std::vector<Action> toRun;
    for (const auto& [name, list] : actions) {
        if (matches(name)) {
            toRun.insert(toRun.end(), list.begin(), list.end());
        }
    }
    for (const auto& action : toRun) {
        action();
    }
    toRun.clear();
    for (const auto& [name, callbacks] : streams) {
        if (matches(name)) {
            for (const auto& [id, callback] : callbacks) {
                toRun.push_back(callback);
            }
        }
    }
    for (const auto& callback : toRun) {
        callback();
    }
}

void startStream(const Name& name, const QUuid& id,
                 const zendra::AsyncStream<EventType>::Continuation& continuation,
                 std::optional<EventType> only) {
    auto& s = state();
    auto yielder = [continuation, only](EventType type) {
        return [continuation, only, type] {
            if (!only || *only == type) {
                continuation.yield(type);
            }
        };
    };
    s.keyDownStreams[name].emplace(id, yielder(EventType::keyDown));
    s.keyUpStreams[name].emplace(id, yielder(EventType::keyUp));
    followStoredChanges(name);
    if (auto stored = getShortcut(name)) {
        registerHotKey(*stored);
    }
}

void endStream(const Name& name, const QUuid& id) {
    auto& s = state();
    for (auto* streams : {&s.keyDownStreams, &s.keyUpStreams}) {
        if (auto found = streams->find(name); found != streams->end()) {
            found->second.erase(id);
            if (found->second.empty()) {
                streams->erase(found);
            }
        }
    }
    const auto stored = getShortcut(name);
    if (!stored) {
        return;
    }
    for (const auto& other : namesWithHandlers()) {
        if (getShortcut(other) == stored) {
            return; // still wanted by a name with actions or streams
        }
    }
    unregisterHotKey(*stored);
}

zendra::AsyncStream<EventType> makeStream(const Name& name, std::optional<EventType> only) {
    return zendra::AsyncStream<EventType>([&](zendra::AsyncStream<EventType>::Continuation continuation) {
        const QUuid id = QUuid::createUuid();
        const auto generation = state().generation;
        auto current = [generation] { return state().generation == generation; };
        zendra::dispatchToMain([name, id, continuation, only, current] {
            if (current()) {
                startStream(name, id, continuation, only);
            }
        });
        continuation.setOnTermination([name, id, current] {
            zendra::dispatchToMain([name, id, current] {
                if (current()) {
                    endStream(name, id);
                }
            });
        });
    });
}

} // namespace

void setEnvironment(Environment environment) {
    auto& s = state();
    for (const auto& [key, watch] : s.watches) {
        suite().removeObserver(watch.observer);
    }
    s.watches.clear();
    s.environment = std::move(environment);
    s.active.clear();
    s.keyDownActions.clear();
    s.keyUpActions.clear();
    s.keyDownStreams.clear();
    s.keyUpStreams.clear();
    s.dispatchPaused = false;
    ++s.generation;
    CarbonHotkeys::resetForEnvironment();
}

const Environment& environment() {
    suite();
    return state().environment;
}

Name::Name(QString name, std::optional<Shortcut> defaultValue)
    : rawValue(std::move(name)), defaultShortcut(defaultValue) {
    if (defaultShortcut && !suite().object(storageKey())) {
        setShortcut(defaultShortcut, *this);
    }
}

Name Name::fromRawValue(QString rawValue) {
    return Name(NoSideEffect{}, std::move(rawValue));
}

std::optional<Shortcut> Name::shortcut() const {
    return getShortcut(*this);
}

std::optional<Shortcut> Shortcut::forName(const Name& name) {
    return getShortcut(name);
}

std::optional<Shortcut> getShortcut(const Name& name) {
    return decodeShortcut(suite().object(name.storageKey()));
}

void setShortcut(const std::optional<Shortcut>& shortcut, const Name& name) {
    followStoredChanges(name);
    const auto old = getShortcut(name);
    if (!shortcut) {
        if (!old) {
            return;
        }
        write(name, Prefs::StoredObject(false));
        releaseUnlessShared(*old, name);
        postChange(name);
        return;
    }
    const QString json = encodeShortcut(*shortcut);
    if (old) {
        releaseUnlessShared(*old, name);
    }
    registerHotKey(*shortcut);
    write(name, Prefs::StoredObject(json));
    postChange(name);
}

void reset(const std::vector<Name>& names) {
    for (const auto& name : names) {
        setShortcut(name.defaultShortcut, name);
    }
}

void enable(const Name& name) {
    followStoredChanges(name);
    if (auto stored = getShortcut(name)) {
        registerHotKey(*stored);
    }
}

void disable(const Name& name) {
    if (auto stored = getShortcut(name)) {
        unregisterHotKey(*stored);
    }
}

void onKeyDown(const Name& name, Action action) {
    state().keyDownActions[name].push_back(std::move(action));
    enable(name);
}

void onKeyUp(const Name& name, Action action) {
    state().keyUpActions[name].push_back(std::move(action));
    enable(name);
}

void removeAllHandlers() {
    std::vector<Shortcut> shortcuts;
    for (const auto& name : namesWithHandlers()) {
        if (auto stored = getShortcut(name)) {
            shortcuts.push_back(*stored);
        }
    }
    for (const auto& shortcut : shortcuts) {
        unregisterHotKey(shortcut);
    }
    state().keyDownActions.clear();
    state().keyUpActions.clear();
}

zendra::AsyncStream<EventType> events(const Name& name) {
    return makeStream(name, std::nullopt);
}

zendra::AsyncStream<EventType> events(EventType type, const Name& name) {
    return makeStream(name, type);
}

void emitKeyDown(const Name& name) {
    if (auto stored = getShortcut(name)) {
        dispatchKeyDown(*stored);
    }
}

void dispatchKeyDown(const Shortcut& shortcut) {
    dispatch([&](const Name& name) { return getShortcut(name) == shortcut; }, state().keyDownActions,
             state().keyDownStreams);
}

void dispatchKeyUp(const Shortcut& shortcut) {
    dispatch([&](const Name& name) { return getShortcut(name) == shortcut; }, state().keyUpActions,
             state().keyUpStreams);
}

void bindDesktopShortcuts(DesktopShortcuts& desktop,
                          const std::vector<std::pair<Name, QString>>& namesAndDescriptions) {
    std::vector<DesktopShortcut> shortcuts;
    for (const auto& [name, description] : namesAndDescriptions) {
        shortcuts.push_back({name.rawValue, description, getShortcut(name)});
    }
    // Events for an earlier environment's bindings are dropped.
    const auto generation = state().generation;
    const auto handler = [generation](bool down) {
        return [generation, down](const QString& id) {
            auto& s = state();
            if (s.generation != generation) {
                return;
            }
            const auto byId = [&id](const Name& name) { return name.rawValue == id; };
            down ? dispatch(byId, s.keyDownActions, s.keyDownStreams)
                 : dispatch(byId, s.keyUpActions, s.keyUpStreams);
        };
    };
    desktop.bind(std::move(shortcuts), handler(true), handler(false));
}

bool dispatchPaused() {
    return state().dispatchPaused;
}

void setDispatchPaused(bool paused) {
    state().dispatchPaused = paused;
}

const std::unordered_set<Shortcut>& activeShortcuts() {
    return state().active;
}

void followStoredChanges(const Name& name) {
    auto& s = state();
    const QString key = name.storageKey();
    if (s.watches.contains(key)) {
        return;
    }
    const auto generation = s.generation;
    auto apply = [name, generation](std::optional<Shortcut> before, std::optional<Shortcut> after) {
        if (state().generation == generation) {
            followChange(name, before, after);
        }
    };
    const auto observer = suite().addObserver(key, {}, [apply](const Prefs::SuiteChange& change) {
        auto before = decodeShortcut(change.oldValue);
        auto after = decodeShortcut(change.newValue);
        if (zendra::isMainThread()) {
            if (state().ownWrites == 0) {
                apply(before, after);
            }
        } else {
            zendra::dispatchToMain([apply, before, after] { apply(before, after); });
        }
    });
    s.watches.emplace(key, Watch{name, observer});
}

} // namespace zendra::Hotkeys
