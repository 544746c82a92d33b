#pragma once

#include <QImage>

namespace zendra::KZApp {

// The application's icon (the white "1" on the blue disc of the installed icon), drawn square at
// `pixelSize` device pixels, for places that cannot rely on the icon theme.
QImage drawApplicationIcon(int pixelSize);

} // namespace zendra::KZApp
