#pragma once

#include "prefs/json_qt.h"
#include "prefs/top_level_codable_bridge.h"

#include <QUrl>

namespace zendra::Prefs {

// A URL is stored as the JSON text of its encoded form (a JSON string literal). An invalid or empty
// URL has no such form: writing one fails and reports it.
struct URLBridge : TopLevelCodableBridge<QUrl> {};

} // namespace zendra::Prefs
