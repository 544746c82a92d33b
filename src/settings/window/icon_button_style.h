#pragma once

class QToolButton;

namespace zendra::Settings {

// A button drawn as its icon alone, without a frame, with `padding` pixels of margin around the icon
// that accept clicks too. The button's text stays its accessible name and its tooltip.
void applyIconButtonStyle(QToolButton& button, int padding);

} // namespace zendra::Settings
