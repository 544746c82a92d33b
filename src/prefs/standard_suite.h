#pragma once

#include "prefs/suite.h"

#include <memory>

namespace zendra::Prefs {

// The application's own suite, created on first use and kept until the process ends: the property-list
// file org.zendra.Zendra.plist in $XDG_CONFIG_HOME/zendra (~/.config/zendra when unset).
std::shared_ptr<Suite> standardSuite();

} // namespace zendra::Prefs
