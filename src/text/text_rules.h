#pragma once

#include <QString>
#include <QStringView>

namespace zendra {

// The rule for text that arrives from outside the edit field (clipboard, service, drop, URL,
// command line): trim, keep the first line (a U+0000 ends it too), trim again, and keep at most
// Settings::maxTextLength code units. The result may be empty.
QString singleLineText(QStringView text);

// The edit field's rule: drop every line break (LF, VT, FF, CR, NEL, U+2028, U+2029, and so CR LF
// pairs), joining the lines with nothing between them. Everything else stays in order.
QString removeLineBreaks(QStringView text);

// Line breaks as both rules see them.
bool isLineBreak(char16_t c);

// Not empty, and at least one character that is not whitespace (line breaks are whitespace): the panel
// item shows such a text, and its placeholder otherwise.
bool hasVisibleText(QStringView text);

} // namespace zendra
