#pragma once

namespace zendra {

// zendra debug-info: the report of this session, with the screens when a display is there.
int runDebugInfoCommand(int& argc, char** argv);

} // namespace zendra
