#pragma once

#include "hotkeys/shortcut.h"

namespace zendra::Hotkeys {

enum class SystemWideAvailability {
    available,           // nobody else holds the combination
    heldByAnotherClient, // another program owns it system-wide
    unknown,             // the check could not be made (no display server, unmappable key)
};

// Whether a combination is already taken system-wide by someone other than this process. Combinations
// this process registered itself count as available.
class SystemWideShortcuts {
public:
    virtual ~SystemWideShortcuts() = default;
    virtual SystemWideAvailability availability(const Shortcut& shortcut) = 0;
};

} // namespace zendra::Hotkeys
