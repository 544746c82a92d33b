#pragma once

// A small keyed archive: self-describing data that names the class of the archived object. The data is
// a binary property list whose root dictionary holds the class name under "$class", the class's archive
// version under "$version", and the object's fields under their own names (names starting with "$"
// are reserved). Integers in an archive are signed 64-bit numbers.
//
// A type is securely archivable when it archives itself into fields and, when unarchived, is only
// built from an archive that names its own class:
//
//   struct Shape {
//       static constexpr std::string_view archiveClassName = "Shape";
//       static constexpr std::int64_t archiveVersion = 1;
//       void encode(Prefs::KeyedArchiver&) const;
//       static std::optional<Shape> decode(const Prefs::KeyedUnarchiver&);  // nothing: damaged fields
//   };

#include "prefs/native.h"
#include "prefs/stored_object.h"

#include <QByteArray>
#include <QString>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zendra::Prefs {

// Collects an object's fields. Using a reserved name makes the whole archive fail.
class KeyedArchiver {
public:
    void encode(const QString& name, StoredObject value);

    const StoredDictionary& fields() const { return fields_; }
    bool failed() const { return failed_; }

private:
    StoredDictionary fields_;
    bool failed_ = false;
};

// The fields of an archive, and the version of the class that wrote them.
class KeyedUnarchiver {
public:
    KeyedUnarchiver(StoredDictionary fields, std::int64_t version)
        : fields_(std::move(fields)), version_(version) {}

    std::int64_t version() const { return version_; }
    const StoredDictionary& fields() const { return fields_; }
    const StoredObject* object(const QString& name) const;

    // A field as a natively supported value; nothing when it is missing or of another kind.
    template <NativeScalar T> std::optional<T> decode(const QString& name) const {
        const StoredObject* found = object(name);
        return found ? nativeFromStored<T>(*found) : std::nullopt;
    }

private:
    StoredDictionary fields_;
    std::int64_t version_;
};

template <class T>
concept SecurelyArchivable = requires(const T& value, KeyedArchiver& archiver,
                                      const KeyedUnarchiver& unarchiver) {
    { T::archiveClassName } -> std::convertible_to<std::string_view>;
    { T::archiveVersion } -> std::convertible_to<std::int64_t>;
    value.encode(archiver);
    { T::decode(unarchiver) } -> std::same_as<std::optional<T>>;
};

struct ArchiveContents {
    QString className;
    std::int64_t version = 0;
    StoredDictionary fields;
};

// The archive's data; nothing when a field has no property-list form (a reserved name, a name or
// string with a NUL character, a date outside the 32-bit range of seconds around 2001-01-01 or before
// that date with a fraction of a second, an unsigned integer beyond the signed range).
std::optional<QByteArray> encodeArchive(const ArchiveContents& contents);

// The contents of archive data, or the description of why it is no keyed archive.
struct DecodedArchive {
    std::optional<ArchiveContents> contents;
    std::string error;
};
DecodedArchive decodeArchive(const QByteArray& data);

template <SecurelyArchivable T> std::optional<QByteArray> archivedData(const T& value) {
    KeyedArchiver archiver;
    value.encode(archiver);
    if (archiver.failed()) {
        return std::nullopt;
    }
    return encodeArchive({QString::fromUtf8(T::archiveClassName.data(), T::archiveClassName.size()),
                          T::archiveVersion, archiver.fields()});
}

// The result of unarchiving: a value; or nothing with an error for damaged data; or nothing without
// an error when the data archives an object of another class.
template <class T> struct Unarchived {
    std::optional<T> value;
    std::optional<std::string> error;
};

template <SecurelyArchivable T> Unarchived<T> unarchive(const QByteArray& data) {
    DecodedArchive decoded = decodeArchive(data);
    if (!decoded.contents) {
        return {std::nullopt, std::move(decoded.error)};
    }
    ArchiveContents& contents = *decoded.contents;
    const std::string_view className = T::archiveClassName;
    if (contents.className != QString::fromUtf8(className.data(), static_cast<qsizetype>(className.size()))) {
        return {};
    }
    const std::string name(className);
    if (contents.version < 1 || contents.version > T::archiveVersion) {
        return {std::nullopt, "The archive of class " + name + " has unsupported version " +
                                  std::to_string(contents.version) + "."};
    }
    auto value = T::decode(KeyedUnarchiver(std::move(contents.fields), contents.version));
    if (!value) {
        return {std::nullopt, "The archive of class " + name + " has missing or invalid fields."};
    }
    return {std::move(value), std::nullopt};
}

} // namespace zendra::Prefs
