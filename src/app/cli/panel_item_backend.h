#pragma once

// Where the panel item shows: on the desktop's panel (a StatusNotifierItem), in Zendra's own item
// window, or automatically on the panel while a panel host shows it and in the window otherwise.
// Chosen on the command line (--panel-item=) or in the environment, so it is parsed here, without
// the panel's GUI libraries.

#include <QString>
#include <QStringView>
#include <optional>

namespace zendra {

enum class PanelItemBackend { automatic, window, statusNotifier };

// "auto", "window" or "statusnotifier"; nothing for anything else.
std::optional<PanelItemBackend> parsePanelItemBackend(QStringView name);
// The name parsePanelItemBackend reads.
QString panelItemBackendName(PanelItemBackend backend);
// From ZENDRA_PANEL_ITEM; automatic when it is unset, or unknown (with a warning).
PanelItemBackend panelItemBackendFromEnvironment();

} // namespace zendra
