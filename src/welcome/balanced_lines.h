#pragma once

#include <QFont>
#include <QString>

namespace zendra {

// The narrowest width, at most `maxWidth`, at which `text` in `font` wraps (at word boundaries) into
// as few lines as at `maxWidth`: lines of about equal length instead of a full line and a lone word.
int balancedWidth(const QString& text, const QFont& font, int maxWidth);

// How many lines `text` in `font` wraps into at `width`.
int wrappedLineCount(const QString& text, const QFont& font, int width);

} // namespace zendra
