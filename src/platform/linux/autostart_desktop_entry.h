#pragma once

#include <QString>
#include <QStringList>

// The pieces of the desktop entry format that an autostart entry needs.
namespace zendra::autostart {

// One argument of an Exec line: as it is when it needs no quoting, else in double quotes with `"`, `` ` ``,
// `$` and `\` escaped. A literal `%` is doubled so that it is not read as a field code.
QString quoteExecArgument(const QString& argument);

// An Exec value for `program` and `arguments`, each quoted as needed.
QString execLine(const QString& program, const QStringList& arguments);

// A value of string type as it is written after "Key=": backslash, newline, tab and carriage return
// escaped, and a leading space kept.
QString escapeValue(const QString& value);

// The text of a desktop entry that starts `program` with `arguments` at login.
QString autostartEntryText(const QString& name, const QString& program, const QStringList& arguments);

// Whether an autostart entry's text leaves it enabled: it has a [Desktop Entry] group and neither
// Hidden=true nor X-GNOME-Autostart-enabled=false in it.
bool isEnabledEntry(const QString& text);

} // namespace zendra::autostart
