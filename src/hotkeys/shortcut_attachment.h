#pragma once

#include "hotkeys/event_type.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/name.h"

class QObject;

namespace zendra::Hotkeys {

// Runs `action` on the main thread once for each `type` event of `name`'s shortcut, for as long as
// `owner` lives; the subscription ends with `owner`. Applications attach their actions on key-up.
void onKeyboardShortcut(QObject* owner, const Name& name, EventType type, Action action);

} // namespace zendra::Hotkeys
