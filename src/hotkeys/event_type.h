#pragma once

namespace Hotkeys {

enum class EventType { keyDown, keyUp };

} // namespace Hotkeys
