#include "settings/window/color_palette.h"

namespace zendra::Settings {

const std::vector<QColor>& colorPalette() {
    static const std::vector<QColor> palette{
        QColor(0, 122, 255),  // blue
        QColor(255, 149, 0),  // orange
        QColor(255, 45, 85),  // pink
        QColor(0, 199, 190),  // mint
        QColor(175, 82, 222), // purple
        QColor(255, 59, 48),  // red
        QColor(50, 173, 230), // cyan
        QColor(52, 199, 89),  // green
        QColor(255, 204, 0),  // yellow
        QColor(48, 176, 199), // teal
    };
    return palette;
}

} // namespace zendra::Settings
