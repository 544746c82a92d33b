#pragma once

// Moves entries written in the old all-JSON-text form to the current stored form. The application
// never calls it; it exists for stores written by the first versions.

#include "prefs/key.h"
#include "prefs/prefs.h"
#include "prefs/top_level_codable_bridge.h"

#include <vector>

namespace zendra::Prefs {

enum class Version { v5 };

namespace detail {
template <class T> struct MigrationTarget { using type = T; };
template <class T> struct MigrationTarget<std::optional<T>> { using type = T; };
} // namespace detail

// Reads the key's persistent entry as a string holding the JSON text of one value and, when it decodes,
// writes the value back through the key, so the entry takes its current form. A missing entry (also one
// only registered as a default), an entry that is no string, and text that does not decode are left
// as they are.
template <Storable Value>
requires JsonEncodable<typename detail::MigrationTarget<Value>::type>
void migrate(const Key<Value>& key, Version) {
    using Target = typename detail::MigrationTarget<Value>::type;
    Suite& suite = *key.suite();
    if (!suite.hasPersistentEntry(key.name())) {
        return;
    }
    const OptionalStoredObject object = suite.object(key.name());
    const QString* text = object ? object->string() : nullptr;
    if (text == nullptr) {
        return;
    }
    if (auto decoded = TopLevelCodableBridge<Target>::deserialize(*text)) {
        set(suite, key, Value(std::move(*decoded)));
    }
}

template <Storable Value> void migrate(const std::vector<Key<Value>>& keys, Version version) {
    for (const auto& key : keys) {
        migrate(key, version);
    }
}

} // namespace zendra::Prefs
