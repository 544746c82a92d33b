#pragma once

#include <QIcon>

namespace zendra {

// The toolbar's symbols: from the icon theme when it has them, else drawn in the palette's text colour.
QIcon dismissIcon(); // a chevron pointing up
QIcon actionIcon();  // an ellipsis

} // namespace zendra
