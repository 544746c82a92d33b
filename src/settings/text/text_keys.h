#pragma once

// The settings that make up the panel's text: what the command line and the automation interface read
// and write. Qt Core only; the rest of the catalogue is in settings/catalogue.h.

#include "prefs/key.h"

#include <QString>

namespace zendra::Settings {

// The one text shown in the panel item. Default: empty.
const Prefs::Key<QString>& text();
// Shown directly before and after the text, nothing inserted. Default: empty.
const Prefs::Key<QString>& prefix();
const Prefs::Key<QString>& suffix();

} // namespace zendra::Settings
