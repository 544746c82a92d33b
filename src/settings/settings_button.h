#pragma once

#include <QString>

namespace zendra::Settings {

// The title of the entry that opens the settings window: "Settings…" on the current platform branch,
// "Preferences…" on the older one.
QString settingsButtonTitle(bool currentBranch = true);

} // namespace zendra::Settings
