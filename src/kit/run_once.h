#pragma once

#include "prefs/standard_suite.h"
#include "prefs/suite.h"

#include <QString>
#include <memory>

namespace zendra::KZApp {

// The suite's boolean reading of an entry: numbers are true when non-zero, text when it reads "yes",
// "true" or a non-zero integer; anything else, or nothing, is false.
bool boolForKey(const Prefs::Suite& suite, const QString& name);
void setBool(Prefs::Suite& suite, const QString& name, bool value);

// True exactly the first time it is called for `identifier` on this account. The flag
// "KZ_App_runOnce__" + identifier is written to the suite directly, not through a typed key.
bool runOnce(const QString& identifier, Prefs::Suite& suite = *Prefs::standardSuite());

} // namespace zendra::KZApp
