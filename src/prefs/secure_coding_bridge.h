#pragma once

#include "prefs/keyed_archive.h"
#include "prefs/top_level_codable_bridge.h"

#include <QByteArray>
#include <optional>

namespace zendra::Prefs {

// Specialize as true for a securely archivable type that is also JSON-encodable, to store its keyed
// archive instead of its JSON text.
template <class T> inline constexpr bool PreferSecureCoding = false;

// Stores the keyed archive of the value. Archiving failures store nothing silently; damaged data reads
// as nothing and its description is printed; an archive of another class reads as nothing silently.
template <SecurelyArchivable T> struct SecureCodingBridge {
    using Value = T;
    using Stored = QByteArray;

    static std::optional<QByteArray> serialize(const std::optional<T>& value) {
        if (!value) {
            return std::nullopt;
        }
        return archivedData(*value);
    }

    static std::optional<T> deserialize(const std::optional<QByteArray>& data) {
        if (!data) {
            return std::nullopt;
        }
        Unarchived<T> result = unarchive<T>(*data);
        if (result.error) {
            printBridgeFailure(*result.error);
        }
        return std::move(result.value);
    }
};

// A securely archivable type that is also JSON-encodable: stored as its JSON text.
template <class T> struct CodableSecureCodingBridge : TopLevelCodableBridge<T> {};

} // namespace zendra::Prefs
