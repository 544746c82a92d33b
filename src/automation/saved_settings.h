#pragma once

// Writes the preferences file now, for a caller that must know the outcome of a change.

#include <QString>
#include <optional>

namespace zendra {

// Flushes the standard suite; nothing when the file holds every change (or the suite has no file),
// else a sentence naming the file that could not be written.
std::optional<QString> saveSettingsNow();

} // namespace zendra
