#pragma once

// The application's global shortcut names. None has a default, so a fresh installation has no global
// shortcut until the user records one. Each is created on first use and lives until the process ends.

#include "hotkeys/name.h"

namespace zendra::Settings {

// Shows the edit window, or closes it when it is open.
const Hotkeys::Name& toggleEditWindow();
// Clears the text.
const Hotkeys::Name& clearText();
// Replaces the text with the clipboard's text made into one line.
const Hotkeys::Name& setTextFromClipboard();

} // namespace zendra::Settings
