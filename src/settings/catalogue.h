#pragma once

// Every application setting, as a process-wide typed key on the standard suite. Each key is created
// on its first use (which registers its default) and lives until the process ends. The function
// names are the stored names. The text keys (text, prefix, suffix) come from settings/text/.

#include "prefs/color/color_bridge.h"
#include "prefs/key.h"
#include "settings/text/text_keys.h"

#include <QColor>
#include <QString>
#include <optional>

namespace zendra::Settings {

// The platform's regular user-interface font size in pixels; the default of textSize().
double systemFontSize();

// Pixel size of the item's text. Default: systemFontSize().
const Prefs::Key<double>& textSize();
// Width beyond which the item's text is cut with an ellipsis. Default: 150.
const Prefs::Key<double>& maximumWidth();
// The washed-out tone that keeps links readable in dark panels. Default: false.
const Prefs::Key<bool>& legibleLinks();
// Text colour for light panels, and for dark ones without darkColor. Default: none (the panel's).
const Prefs::Key<std::optional<QColor>>& color();
// Text colour for dark panels. Default: none (color, else the panel's).
const Prefs::Key<std::optional<QColor>>& darkColor();
// Manual vertical correction: a value v moves the text up by v pixels. Default: none.
const Prefs::Key<std::optional<double>>& menuBarTextVerticalAlignmentOffset();

// Where the text shows: "auto" (the desktop's panel while a panel host shows the item, Zendra's own
// bar otherwise), "panel" or "window" (Zendra's own bar). Read at start. Default: "auto". Needs no
// GUI library (its own source file), so the command line can set it.
const Prefs::Key<QString>& panelItem();

} // namespace zendra::Settings
