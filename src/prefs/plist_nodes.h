#pragma once

// Ownership and traversal of libplist nodes, shared by the preferences file codec and the keyed
// archive.

#include <functional>
#include <memory>
#include <plist/plist.h>

namespace zendra::Prefs::PlistNodes {

struct NodeDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using NodePtr = std::unique_ptr<void, NodeDeleter>;

// Memory that libplist hands to the caller (keys, string and data copies, iterators).
struct FreeDeleter {
    void operator()(void* pointer) const;
};
using AllocatedText = std::unique_ptr<char, FreeDeleter>;

// Calls `visit` with each key and value of a dictionary node, in the node's order, until it returns
// false. Returns false when a visit stopped the walk. Keys are valid only during their visit.
bool forEachDictionaryEntry(plist_t dictionary,
                            const std::function<bool(const char* key, plist_t value)>& visit);

} // namespace zendra::Prefs::PlistNodes
