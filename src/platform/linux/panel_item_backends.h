#pragma once

// The Linux backends of the panel item for the chosen place: a StatusNotifierItem on the session bus,
// Zendra's own item window, or both; with the desktop portal's light or dark preference.

#include "app/cli/panel_item_backend.h"
#include "app/panel/panel_status_item.h"

namespace zendra::linux_panel {

// A panel item that cannot go on the session bus is replaced by the item window (with a warning when
// the panel was asked for by name).
PanelItemBackends makePanelItemBackends(PanelItemBackend backend,
                                        std::function<std::vector<StatusItemMenuEntry>()> buildMenu);

} // namespace zendra::linux_panel
