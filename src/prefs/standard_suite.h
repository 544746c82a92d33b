#pragma once

#include "prefs/file_suite.h"
#include "prefs/suite.h"

#include <memory>

namespace zendra::Prefs {

// The application's own suite, created on first use and kept until the process ends: the property-list
// file org.zendra.Zendra.plist in $XDG_CONFIG_HOME/zendra (~/.config/zendra when unset).
std::shared_ptr<Suite> standardSuite();

// How the standard suite opens its file. Takes effect only when called before the suite's first use,
// on one thread; false when the suite is open already.
bool setStandardSuiteOptions(FileSuite::Options options);

} // namespace zendra::Prefs
