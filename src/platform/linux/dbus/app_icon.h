#pragma once

// Zendra's own icon for panels: the icon-theme name the package installs it under, and the same
// picture drawn at the sizes panels commonly ask for, for hosts without that theme entry. A white
// figure on a saturated disc reads on light and dark panels alike.

#include <QImage>
#include <QList>
#include <QString>

namespace zendra {

// Empty while the icon is not installed in the hicolor theme of any XDG data folder.
QString appIconName();
// Square pictures, smallest first.
QList<QImage> appIconImages();

} // namespace zendra
