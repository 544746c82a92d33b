#pragma once

// The Linux backends of the panel item for the chosen place: the panel's (a StatusNotifierItem on the
// session bus and the item Zendra's Plasma applet shows), Zendra's own item window, or both; with the
// desktop portal's light or dark preference.

#include "panel/backend/panel_item_backend.h"
#include "panel/panel_host_facts.h"
#include "panel/panel_status_item.h"

namespace zendra::linux_panel {

// A panel item that cannot go on the session bus is replaced by the item window (with a warning when
// the panel was asked for by name). In the automatic mode `choosePlace` decides from the panel's facts
// whether the window stands in.
PanelItemBackends makePanelItemBackends(PanelItemBackend backend,
                                        std::function<std::vector<StatusItemMenuEntry>()> buildMenu,
                                        PanelPlaceChoice choosePlace);

} // namespace zendra::linux_panel
