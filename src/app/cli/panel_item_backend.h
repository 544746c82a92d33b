#pragma once

// Where the panel item shows: on the desktop's panel (a StatusNotifierItem), in Zendra's own item
// window, or automatically on the panel while a panel host shows it and in the window otherwise.
// Chosen on the command line (--panel-item=) or in the environment for one run, else by the stored
// setting, so it is parsed here, without the panel's GUI libraries.

#include <QString>
#include <QStringView>
#include <optional>

namespace zendra {

enum class PanelItemBackend { automatic, window, statusNotifier };

// "auto", "window" or "statusnotifier"; nothing for anything else.
std::optional<PanelItemBackend> parsePanelItemBackend(QStringView name);
// The name parsePanelItemBackend reads.
QString panelItemBackendName(PanelItemBackend backend);
// The stored setting's values: "auto", "panel" or "window"; nothing for anything else.
std::optional<PanelItemBackend> parsePanelItemSetting(QStringView value);
// The command line's choice, else ZENDRA_PANEL_ITEM, else the stored setting. An unknown value in
// the environment or the setting is passed over with a warning.
PanelItemBackend chosenPanelItemBackend(std::optional<PanelItemBackend> fromCommandLine);

} // namespace zendra
