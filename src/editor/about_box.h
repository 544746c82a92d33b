#pragma once

#include <QString>

class QWidget;

namespace zendra {

// The text of the about box: name, version and product page.
QString aboutBoxText();

// Shows the application's about box over `parent` (or free-standing without one).
void showAboutBox(QWidget* parent);

} // namespace zendra
