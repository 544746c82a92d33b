#pragma once

// What the panel text may hold, whichever way it arrives.

#include <QString>
#include <QStringView>
#include <optional>

namespace zendra::Settings {

// The longest text, in UTF-16 code units: far more than a panel shows, far less than the preferences
// file may hold.
inline constexpr qsizetype maxTextLength = 1024 * 1024;

// Why `text` cannot be stored as the panel text (too long, or holding U+0000); nothing when it can.
std::optional<QString> textRefusal(QStringView text);

// `text` cut to at most maxTextLength code units, never inside a surrogate pair.
QStringView clippedToMaxLength(QStringView text);

} // namespace zendra::Settings
