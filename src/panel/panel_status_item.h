#pragma once

// The panel item of the running application: the item's view over the backends the platform built
// for it (the desktop's panel, Zendra's own item window, or both with the window standing in while no
// panel shows the item), in the panel's light or dark appearance.

#include "panel/panel_appearance.h"
#include "panel/panel_item_switch.h"
#include "panel/status_item.h"

#include <functional>
#include <memory>

namespace zendra {

struct PanelItemBackends {
    // The item on the desktop's panel and whether a host shows it; none when it is not used.
    std::unique_ptr<StatusBarItem> panel;
    std::function<PanelItemSwitch::PanelState()> panelState;
    // Zendra's own item window and how to show or hide it; none when it is not used.
    std::unique_ptr<StatusBarItem> window;
    std::function<void(bool shown)> setWindowShown;
    std::unique_ptr<PanelAppearance> appearance;
};

// Renders the item into its backends, then shows the window (when there is one and no panel to
// switch with), so that nothing empty reaches the screen.
std::unique_ptr<StatusItem> makePanelStatusItem(PanelItemBackends backends, StatusItemCallbacks callbacks);

} // namespace zendra
