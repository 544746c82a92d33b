#pragma once

// What the automatic choice of the item's place looks at: the desktop's panels as the session shows
// them now. Filled in by the platform, judged by the application.

#include "panel/panel_item_switch.h"

#include <functional>
#include <optional>

namespace zendra {

struct PanelHostFacts {
    enum class Notifier { unknown, hosted, unhosted };
    // Whether a tray shows the StatusNotifierItem; unknown while the watcher's answer is on its way.
    Notifier notifier = Notifier::unhosted;
    // Whether plasmashell runs, whose tray shows items as icons without their text; none while the
    // bus has not answered yet.
    std::optional<bool> plasmaShell = false;
    // A Zendra applet in a panel shows the item.
    bool appletHosted = false;
    // The moment an applet gets to register after Zendra or plasmashell started has passed.
    bool appletWaitOver = true;

    bool operator==(const PanelHostFacts&) const = default;
};

using PanelPlaceChoice = std::function<PanelItemSwitch::PanelState(const PanelHostFacts&)>;

} // namespace zendra
