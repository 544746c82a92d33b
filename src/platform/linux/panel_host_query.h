#pragma once

#include <QDBusConnection>
#include <optional>

namespace zendra::linux_panel {

// Asks the panel's StatusNotifierWatcher whether a host that draws items is registered. Blocks for at
// most `timeoutMs`: for reports the user asked for, never during the item's registration. None when no
// watcher answers.
std::optional<bool> isPanelHostRegistered(const QDBusConnection& bus, int timeoutMs);

} // namespace zendra::linux_panel
