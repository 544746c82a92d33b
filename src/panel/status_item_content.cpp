#include "panel/status_item_content.h"

#include "prefs/prefs.h"
#include "settings/catalogue.h"

namespace zendra {

QColor panelDefaultTextColor(const StatusItemContent& content) {
    if (content.panelTextColor) {
        return *content.panelTextColor;
    }
    return content.isDark ? QColor(Qt::white) : QColor(Qt::black);
}

QColor linkTextColor(const StatusItemContent& content) {
    if (content.panelLinkColor) {
        return *content.panelLinkColor;
    }
    return content.isDark ? QColor(0x41, 0x9c, 0xff) : QColor(0x00, 0x68, 0xda);
}

QColor labelTextColor(const StatusItemContent& content) {
    const std::optional<QColor>& chosen =
        content.isDark && content.darkColor ? content.darkColor : content.color;
    return chosen ? *chosen : panelDefaultTextColor(content);
}

StatusItemContent statusItemContentFromSettings(bool isDark, qreal devicePixelRatio) {
    StatusItemContent content;
    content.text = Prefs::get(Settings::text());
    content.prefix = Prefs::get(Settings::prefix());
    content.suffix = Prefs::get(Settings::suffix());
    content.textSize = Prefs::get(Settings::textSize());
    content.maximumWidth = Prefs::get(Settings::maximumWidth());
    content.legibleLinks = Prefs::get(Settings::legibleLinks());
    content.color = Prefs::get(Settings::color());
    content.darkColor = Prefs::get(Settings::darkColor());
    content.verticalOffset = Prefs::get(Settings::menuBarTextVerticalAlignmentOffset());
    content.isDark = isDark;
    content.devicePixelRatio = devicePixelRatio;
    return content;
}

} // namespace zendra
