#pragma once

class QLabel;

namespace zendra::Settings {

// Help text under a control: the small system size (11 px at the standard 13 px user-interface
// font, scaled with it), the text colour at half strength, wrapped onto as many lines as it needs.
void applySecondaryTextStyle(QLabel& label);

// The small size, following the application font.
int secondaryTextPixelSize();

} // namespace zendra::Settings
