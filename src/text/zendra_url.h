#pragma once

#include <QString>
#include <optional>

namespace zendra {

// The text a "zendra:" URL asks to show, already reduced to its first line; nothing when the URL is to
// be ignored: unparsable (including invalid percent-encoding), another scheme (compared
// case-sensitively), a path that is not empty once decoded and trimmed, or no "text" item with a value. A
// host is not looked at. When "text" is repeated, the first item with a value wins. A value that does not
// decode to valid UTF-8 counts as no value.
std::optional<QString> textFromZendraUrl(const QString& url);

} // namespace zendra
