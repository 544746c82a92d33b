#pragma once

// `zendra service`: the text from the current selection, as the desktop's service menus hand it over.

namespace zendra {

// Reads the current selection (X11's primary selection, or the clipboard where there is none) and
// sets the text from its first line, on the running instance or in the preferences file. Fails
// without a display. Returns the exit status.
int runServiceCommand(int& argc, char** argv);

} // namespace zendra
