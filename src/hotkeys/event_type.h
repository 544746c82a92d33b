#pragma once

namespace zendra::Hotkeys {

enum class EventType { keyDown, keyUp };

} // namespace zendra::Hotkeys
