#include "welcome/balanced_lines.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>

namespace zendra {

int wrappedLineCount(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

int balancedWidth(const QString& text, const QFont& font, int maxWidth) {
    const int lines = wrappedLineCount(text, font, maxWidth);
    if (lines < 2) {
        return maxWidth;
    }
    // Fewer lines never come back as the width shrinks, so the narrowest width with the same count is
    // found by bisection.
    int low = 1;
    int high = maxWidth;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (wrappedLineCount(text, font, middle) <= lines) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return high;
}

} // namespace zendra
