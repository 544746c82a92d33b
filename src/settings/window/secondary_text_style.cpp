#include "settings/window/secondary_text_style.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPalette>
#include <QSizePolicy>
#include <cmath>

namespace zendra::Settings {

int secondaryTextPixelSize() {
    constexpr double standardSize = 13.0;
    constexpr double smallSize = 11.0;
    const double applicationSize = QFontInfo(QApplication::font()).pixelSize();
    return int(std::lround(smallSize * applicationSize / standardSize));
}

void applySecondaryTextStyle(QLabel& label) {
    QFont font = label.font();
    font.setPixelSize(secondaryTextPixelSize());
    font.setWeight(QFont::Normal);
    label.setFont(font);
    QPalette palette = label.palette();
    QColor secondary = palette.color(QPalette::WindowText);
    secondary.setAlphaF(0.55f);
    palette.setColor(QPalette::WindowText, secondary);
    label.setPalette(palette);
    label.setWordWrap(true);
    label.setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
}

} // namespace zendra::Settings
