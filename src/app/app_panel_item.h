#pragma once

// The panel item on Linux: the item's view over the desktop's panel (a StatusNotifierItem), over
// Zendra's own item window, or over the panel with the window standing in while no panel shows it,
// following the desktop's light or dark preference.

#include "app/app_state.h"

#include <QStringView>
#include <memory>
#include <optional>

namespace zendra {

enum class PanelItemBackend { automatic, window, statusNotifier };

// "auto", "window" or "statusnotifier"; nothing for anything else.
std::optional<PanelItemBackend> parsePanelItemBackend(QStringView name);
// From ZENDRA_PANEL_ITEM; automatic when it is unset, or unknown (with a line on standard error).
PanelItemBackend panelItemBackendFromEnvironment();

// Shows the item at once; the view renders into it before it reaches the screen. A panel item that
// cannot go on the session bus is replaced by the item window.
std::unique_ptr<StatusItem> makePanelStatusItem(PanelItemBackend backend, StatusItemCallbacks callbacks);

} // namespace zendra
