#pragma once

// Named, user-assignable global shortcuts: reading, setting, clearing and resetting the shortcut stored
// for a name, attaching actions and event streams, and the dispatch of presses. All operations run on
// the main thread.

#include "base/async_stream.h"
#include "hotkeys/desktop_shortcuts.h"
#include "hotkeys/environment.h"
#include "hotkeys/event_type.h"
#include "hotkeys/name.h"
#include "hotkeys/shortcut.h"

#include <QString>
#include <functional>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

namespace zendra::Hotkeys {

using Action = std::function<void()>;

// Posted after every store or clear, with the `Name` under the user-info key "name".
inline const QString shortcutByNameDidChange = QStringLiteral("Hotkeys_shortcutByNameDidChange");
inline const QString nameUserInfoKey = QStringLiteral("name");

std::optional<Shortcut> getShortcut(const Name& name);

// Stores `shortcut` for `name` (registering it at once), or with nothing clears it (false is stored and
// the old shortcut unregistered; a name with nothing stored is left alone). Announces every change.
void setShortcut(const std::optional<Shortcut>& shortcut, const Name& name);

// Gives each name, in order, its default shortcut, or clears it when it has none.
void reset(const std::vector<Name>& names);
template <class... Names> void reset(const Name& first, const Names&... rest) {
    reset(std::vector<Name>{first, rest...});
}

void enable(const Name& name);
void disable(const Name& name);

// Appends `action` to the name's list and registers its stored shortcut.
void onKeyDown(const Name& name, Action action);
void onKeyUp(const Name& name, Action action);

// Unregisters the shortcuts of every name with actions or streams, and drops all actions.
void removeAllHandlers();

// A stream of the name's presses and releases. It receives events from the next turn of the main
// event loop on; dropping it ends the subscription (also on the next turn).
zendra::AsyncStream<EventType> events(const Name& name);
zendra::AsyncStream<EventType> events(EventType type, const Name& name);

// Has `desktop` bind each name under its raw value, with its description and its stored shortcut as
// the suggested keys. Their presses and releases reach that name's actions and streams, whatever
// shortcut it stores, until the environment changes.
void bindDesktopShortcuts(DesktopShortcuts& desktop,
                          const std::vector<std::pair<Name, QString>>& namesAndDescriptions);

// Runs the key-down dispatch for the name's stored shortcut, as if it had been pressed.
void emitKeyDown(const Name& name);

// The dispatch of a press or release of `shortcut` to every name whose stored shortcut it is (read at
// the time of the press). Does nothing while dispatch is paused.
void dispatchKeyDown(const Shortcut& shortcut);
void dispatchKeyUp(const Shortcut& shortcut);

// True while a recorder records: presses are then ignored.
bool dispatchPaused();
void setDispatchPaused(bool paused);

// Makes changes of the name's stored value that did not come through these operations (another
// process, a direct write to the suite) take effect as if `setShortcut` had made them: the registration
// follows and the change is announced. The operations above call it for every name they touch.
void followStoredChanges(const Name& name);

// Shortcuts currently registered by this subsystem.
const std::unordered_set<Shortcut>& activeShortcuts();

} // namespace zendra::Hotkeys
