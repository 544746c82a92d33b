#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace zendra::Markdown {

// The text of an entity reference such as "&amp;", "&#169;" or "&#x1F600;". Numeric references to
// U+0000, surrogates or beyond U+10FFFF give U+FFFD; a name this table does not know gives nothing
// (the caller shows the reference as it was written).
std::optional<QString> decodeEntity(QStringView reference);

} // namespace zendra::Markdown
