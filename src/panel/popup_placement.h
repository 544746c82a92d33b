#pragma once

// Where popups of the panel item go (the clear-text tip, the menu): below the panel, inside the work
// area, so that they never cover the item or a top panel, and above the item when its panel is at the
// bottom of the screen.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace zendra {

enum class PopupAlignment { centred, left };

// A popup of `size` under `anchor` (global logical coordinates; a point the host reported may lie
// inside the panel), or under the work area's top-right corner without one; kept inside `workArea`.
QPoint popupPosition(QSize size, std::optional<QRect> anchor, QRect workArea, PopupAlignment alignment);

// The work area of the screen showing `anchor`, else of the primary screen; empty without screens.
QRect popupWorkArea(std::optional<QRect> anchor);

} // namespace zendra
