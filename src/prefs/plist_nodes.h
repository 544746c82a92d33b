#pragma once

// libplist nodes and stored objects: ownership, traversal and the conversions both ways, shared by the
// preferences file codec and the keyed archive. Where the two differ, the caller's rules say how.

#include "prefs/stored_object.h"

#include <QDateTime>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <plist/plist.h>

namespace zendra::Prefs::PlistNodes {

struct NodeDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using NodePtr = std::unique_ptr<void, NodeDeleter>;

// Calls `visit` with each key and value of a dictionary node, in the node's order, until it returns
// false. Returns false when a visit stopped the walk. Keys are valid only during their visit.
bool forEachDictionaryEntry(plist_t dictionary,
                            const std::function<bool(const char* key, plist_t value)>& visit);

// What a date node holds: seconds since 2001-01-01T00:00:00Z and microseconds. The parsers give the
// microseconds truncated and without sign.
struct DateValue {
    std::int32_t seconds = 0;
    std::int32_t usecs = 0;
};

struct WriteRules {
    // Unsigned integers above INT64_MAX keep their kind; without, they have no node.
    bool bigUnsigned = false;
    // A string or name with a NUL character has no node; without, it is written up to the NUL.
    bool refuseNul = false;
    // The node value of a date; nothing when the date has no node.
    std::function<std::optional<DateValue>(const QDateTime&)> date;
};

// The node of a dictionary; null when any part of it has no node.
NodePtr toNode(const StoredDictionary& dictionary, const WriteRules& rules);

inline constexpr int noDepthLimit = std::numeric_limits<int>::max();

struct ReadRules {
    // Integers the parser marked as above INT64_MAX read as unsigned; without, every integer reads
    // signed (two's complement).
    bool bigUnsigned = false;
    // An element without stored form is left out of its container; without, the container has none
    // either. Kinds without stored form: UID, and containers nested `maxDepth` deep (the root is 0).
    bool skipUnreadable = false;
    int maxDepth = noDepthLimit;
    std::function<QDateTime(DateValue)> date;
};

// The entries of a dictionary node; nothing when the node is no dictionary or has no stored form.
// Strings and data are read with their lengths; names end at a NUL, as libplist 2.2 hands them out.
std::optional<StoredDictionary> fromNode(plist_t dictionary, const ReadRules& rules);

} // namespace zendra::Prefs::PlistNodes
