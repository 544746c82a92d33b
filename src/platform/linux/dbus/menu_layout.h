#pragma once

// The panel item's menu as com.canonical.dbusmenu nodes: the root has id 0, the entries ids 1 to n
// in their order, so an id names the same row for as long as the menu keeps its shape.

#include "panel/status_item_menu.h"
#include "platform/linux/dbus/panel_types.h"

#include <QKeySequence>
#include <QStringList>
#include <QVariantMap>
#include <vector>

namespace zendra {

panel_dbus::MenuLayoutItem dbusMenuLayout(const std::vector<StatusItemMenuEntry>& entries);

// The properties of one row: a separator, or label, enabled, visible, the shortcut shown beside it
// and the tooltip as its accessible description.
QVariantMap dbusMenuItemProperties(const StatusItemMenuEntry& entry);

// The first combination of `sequence` as modifier names ("Control", "Alt", "Shift", "Super") followed
// by the key; empty for an empty sequence.
panel_dbus::MenuShortcut dbusMenuShortcut(const QKeySequence& sequence);

// Only the properties named in `names`; all of them when `names` is empty.
QVariantMap selectedProperties(const QVariantMap& properties, const QStringList& names);

} // namespace zendra
