#pragma once

// The panel item on Linux: Zendra's own item window with the item's view in it, following the
// desktop's light or dark preference.

#include "app/app_state.h"

#include <memory>

namespace zendra {

// Shows the window at once; the view renders into it before it reaches the screen.
std::unique_ptr<StatusItem> makeItemWindowStatusItem(StatusItemCallbacks callbacks);

} // namespace zendra
