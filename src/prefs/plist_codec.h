#pragma once

#include "prefs/stored_object.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zendra::Prefs {

// Conversion between a suite's persistent domain and the property-list text of its file.
//
// The file is XML unless a string or name holds what XML 1.0 cannot hold exactly (NUL and other
// control characters, U+FFFE, U+FFFF, lone surrogates, carriage returns): then it is the binary form,
// which keeps every string. Numbers keep their kinds as far as the format allows: booleans, integers
// and reals are distinct node kinds; an unsigned integer above INT64_MAX stays unsigned, any other
// integer reads back signed. XML dates are whole seconds from year 1 to year 9999 (others are clamped),
// in the text every property-list reader accepts. Node kinds that have no stored form (UID) are left
// out of their container; the rest of the file is kept. Containers nested 512 deep (the root is 0)
// make the whole input refused, before any tree is built.
namespace PlistCodec {

QByteArray encode(const StoredDictionary& entries);

// Accepts XML and binary property lists. An empty input is an empty dictionary. Input that does not
// parse, or whose root is not a dictionary, gives nothing and a description in `error`.
std::optional<StoredDictionary> decode(const QByteArray& bytes, QString* error = nullptr);

// Whether two objects have the same stored form: what a write followed by a read cannot tell apart
// (an unsigned 5 and a signed 5, two NaNs).
bool sameStoredForm(const StoredObject& a, const StoredObject& b);
bool sameStoredForm(const OptionalStoredObject& a, const OptionalStoredObject& b);

} // namespace PlistCodec
} // namespace zendra::Prefs
