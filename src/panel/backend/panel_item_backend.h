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

// The words for a choice, the same on the command line, in the environment, for `zendra config` and in
// the stored setting: "auto", "panel" or "window", and "statusnotifier", an older word for "panel"
// that scripts may still pass. Nothing for anything else.
std::optional<PanelItemBackend> parsePanelItemBackend(QStringView word);
// The word for a choice ("auto", "panel" or "window"), which parsePanelItemBackend reads.
QString panelItemBackendName(PanelItemBackend backend);
// The words to name in help and error texts, without the older one: "auto, panel or window".
QString panelItemBackendWords();
// The command line's choice, else ZENDRA_PANEL_ITEM, else the stored setting. An unknown value in
// the environment or the setting is passed over with a warning.
PanelItemBackend chosenPanelItemBackend(std::optional<PanelItemBackend> fromCommandLine);

} // namespace zendra
