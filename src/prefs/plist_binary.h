#pragma once

// The binary property-list format ("bplist00"), read and written without building a libplist tree, so
// that nesting, shared objects and strings with NUL characters are handled with bounds of our own.

#include "prefs/stored_object.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zendra::Prefs::PlistBinary {

bool isBinary(const QByteArray& bytes);

struct ReadRules {
    // Integers stored as 128-bit values above INT64_MAX read as unsigned; without, every integer reads
    // signed (two's complement).
    bool bigUnsigned = false;
    // An element without stored form (UID, set, null, a key that is no string) is left out of its
    // container; without, the whole input is refused.
    bool skipUnreadable = false;
    // Containers nested deeper than this (the root is 0) make the whole input refused.
    int maxDepth = 512;
};

// The root dictionary; nothing, with a description in `error`, when the input is damaged, nested too
// deeply, expands to too many objects, or its root is no dictionary.
std::optional<StoredDictionary> decode(const QByteArray& bytes, const ReadRules& rules, QString* error);

// Every stored object has a binary form: strings keep any UTF-16 content, dates their milliseconds,
// unsigned integers above INT64_MAX their kind.
QByteArray encode(const StoredDictionary& root);

} // namespace zendra::Prefs::PlistBinary
