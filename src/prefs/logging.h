#pragma once

#include <QLoggingCategory>

namespace zendra::Prefs {

// The store's diagnostics, on standard error.
const QLoggingCategory& prefsLog();

} // namespace zendra::Prefs
