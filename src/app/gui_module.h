#pragma once

// The application and `service` need Qt Gui, Qt Widgets and X11; the other commands need none of them.
// So the zendra executable links only Qt Core and Qt DBus, and the parts that need a display are a
// module of their own (zendra-gui.so), loaded only when one of them runs.

namespace zendra {

// The module's one exported function (C linkage: the symbol is its plain name): runs the application
// or `service` for the process's arguments and returns the exit status.
extern "C" [[gnu::visibility("default")]] int zendra_gui_main(int argc, char** argv);

// Loads the module and runs zendra_gui_main. It is looked for beside the executable's own path: where
// the install puts it, then in the executable's folder (the build tree). When it cannot be loaded,
// says why on standard error and returns a failure status.
int runGuiModule(int argc, char** argv);

} // namespace zendra
