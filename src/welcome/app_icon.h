#pragma once

#include <QPixmap>

namespace zendra {

// The application's icon (the blue disc with the "1" of the installed icon), drawn at `logicalSize`
// for a screen of `devicePixelRatio`.
QPixmap applicationIcon(int logicalSize, qreal devicePixelRatio);

} // namespace zendra
