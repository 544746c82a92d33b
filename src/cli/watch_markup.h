#pragma once

// Pango markup, the form waybar and other GTK bars read a module's text in.

#include "text/markdown_inline.h"

#include <QString>
#include <QStringView>

namespace zendra {

// `text` shown literally: &, <, >, quotes and control characters as entities.
QString pangoEscaped(QStringView text);

// A rendered Markdown line with its styles as Pango tags: bold, italic, monospace, struck through,
// and links underlined.
QString pangoMarkup(const Markdown::InlineText& line);

} // namespace zendra
