#pragma once

#include "prefs/stored_object.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zendra::Prefs {

// Conversion between a suite's persistent domain and the XML property-list text of its file.
//
// Numbers keep their kinds as far as the format allows: booleans, integers and reals are distinct
// node kinds; an unsigned integer above INT64_MAX stays unsigned, any other integer reads back
// signed. Dates keep their milliseconds and far years, which the writer's date text (whole seconds
// within 68 years of 2001) cannot hold, through a date text of their own. Node kinds that have no
// stored form (UID), and containers nested 512 deep (the root is 0), are left out of their container;
// the rest of the file is kept. Strings and names are written up to a NUL character.
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
