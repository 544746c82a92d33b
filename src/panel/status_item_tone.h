#pragma once

#include <QImage>

namespace zendra {

// The legible-links tone, applied to every pixel of a label in this order: brightness +0.3, opacity
// 0.83, grayscale 0.5. It lifts dark link colours off a dark panel, and washes out the text colour
// and emoji with them. The image is converted to premultiplied ARGB32 if needed.
void applyLegibleLinksTone(QImage& image);

} // namespace zendra
