#pragma once

#include <QColor>
#include <vector>

namespace zendra::Settings {

// The ten preset text colours, in order: blue, orange, pink, mint, purple, red, cyan, green, yellow
// and teal (sRGB).
const std::vector<QColor>& colorPalette();

} // namespace zendra::Settings
