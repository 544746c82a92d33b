#pragma once

// Draws the panel item: prefix + text + suffix as one line of inline Markdown in the configured font,
// size and colour, cut with an ellipsis at the maximum width, or the placeholder symbol when the
// text has nothing visible. Pure: the same content gives the same picture.

#include "panel/status_item_content.h"
#include "text/markdown_inline.h"

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

namespace zendra {

struct StatusItemRendering {
    // The whole item at the content's pixel ratio, on a transparent background.
    QImage image;
    // Logical size: the label's width plus 10 on each side, by the item height.
    QSizeF itemSize;
    // Logical frame of the label (or symbol) inside the item.
    QRectF labelRect;
    // Logical box of the laid-out line, vertical offset applied, and its baseline.
    QRectF textRect;
    double baseline = 0.0;
    // The text alone, without prefix and suffix; none while the placeholder shows.
    std::optional<QString> toolTip;
    bool isPlaceholder = false;
    bool isTruncated = false;
    // What was laid out (ellipsis included) and its styles.
    QString shownText;
    std::vector<Markdown::InlineRun> runs;
};

StatusItemRendering renderStatusItem(const StatusItemContent& content);

// The horizontal space between the item's edges and its label, on each side.
inline constexpr double statusItemHorizontalInset = 10.0;

} // namespace zendra
