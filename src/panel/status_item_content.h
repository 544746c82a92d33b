#pragma once

// Everything the panel item's picture depends on, as one value: the settings that shape it and the
// panel it is drawn for.

#include "text/text_rules.h"

#include <QColor>
#include <QString>
#include <QStringView>
#include <optional>

namespace zendra {

struct StatusItemContent {
    QString text;
    QString prefix;
    QString suffix;
    double textSize = 13.0;      // pixels
    double maximumWidth = 150.0; // logical pixels of the label, without the item's insets
    bool legibleLinks = false;
    std::optional<QColor> color;          // for light panels, and dark ones without darkColor
    std::optional<QColor> darkColor;      // for dark panels
    std::optional<double> verticalOffset; // v moves the text up by v pixels

    bool isDark = false;
    qreal devicePixelRatio = 1.0;
    // The panel's own text colour; without one, black on light panels and white on dark ones.
    std::optional<QColor> panelTextColor;
    // The panel's link colour; without one, a blue that reads well on the panel's appearance.
    std::optional<QColor> panelLinkColor;
    // Empty: the platform's general and fixed-pitch fonts.
    QString fontFamily;
    QString monospaceFamily;
    // The panel's height; the item grows when its text needs more.
    double itemHeight = 24.0;

    bool operator==(const StatusItemContent&) const = default;
};

// The panel's default text colour for the content's appearance: what the placeholder uses, and the
// label when no colour is set.
QColor panelDefaultTextColor(const StatusItemContent& content);

QColor linkTextColor(const StatusItemContent& content);

// The label's colour: darkColor, else color, in dark panels; color in light ones; else the default.
QColor labelTextColor(const StatusItemContent& content);

// The stored settings, for a panel of the given appearance and pixel ratio.
StatusItemContent statusItemContentFromSettings(bool isDark, qreal devicePixelRatio);

} // namespace zendra
