#pragma once

// The small pictures of the settings window: the desktop's icon theme where it has a fitting icon,
// else a drawn equivalent, so the window looks complete on any desktop.

#include <QIcon>

namespace zendra::Settings {

enum class Symbol {
    general,     // a gear
    appearance,  // a paintbrush
    shortcuts,   // a keyboard
    textSmaller, // a small letter
    textLarger,  // a large letter
    arrowDown,
    arrowUp,
    reset,      // a backward arrow in a filled circle
    colorPanel, // a colour wheel
};

QIcon symbolIcon(Symbol symbol);

} // namespace zendra::Settings
