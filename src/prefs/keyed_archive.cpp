#include "prefs/keyed_archive.h"

#include "prefs/json_qt.h"
#include "prefs/plist_binary.h"
#include "prefs/plist_nodes.h"

#include <cmath>
#include <limits>
#include <plist/plist.h>
#include <utility>

namespace zendra::Prefs {

namespace {

// Names as functions, not globals: keys declared at namespace scope may archive during static
// initialisation, before globals of this file exist.
QString classKey() {
    return QStringLiteral("$class");
}
QString versionKey() {
    return QStringLiteral("$version");
}

using PlistPtr = PlistNodes::NodePtr;

// libplist reads a date back as truncated seconds plus the absolute fraction, which loses the fraction's
// sign: dates before the reference date are kept only in whole seconds.
std::optional<PlistNodes::DateValue> archivedDate(const QDateTime& date) {
    const qint64 msecs = referenceDate().msecsTo(date);
    const qint64 seconds = msecs / 1000;
    const qint64 micros = (msecs % 1000) * 1000;
    if (!std::in_range<std::int32_t>(seconds) || micros < 0) {
        return std::nullopt;
    }
    return PlistNodes::DateValue{static_cast<std::int32_t>(seconds), static_cast<std::int32_t>(micros)};
}

// Every field has a node or the archive fails; integers are signed.
PlistNodes::WriteRules writeRules() {
    return {.bigUnsigned = false, .refuseNul = true, .date = archivedDate};
}

// Anything without stored form makes the whole archive unreadable; fields nest at most as deep as the
// preferences file allows.
PlistBinary::ReadRules binaryReadRules() {
    return {.bigUnsigned = false, .skipUnreadable = false, .maxDepth = 512};
}

} // namespace

void KeyedArchiver::encode(const QString& name, StoredObject value) {
    if (name.startsWith(u'$')) {
        failed_ = true;
        return;
    }
    fields_.insert_or_assign(name, std::move(value));
}

const StoredObject* KeyedUnarchiver::object(const QString& name) const {
    const auto found = fields_.find(name);
    return found == fields_.end() ? nullptr : &found->second;
}

std::optional<QByteArray> encodeArchive(const ArchiveContents& contents) {
    StoredDictionary root;
    for (const auto& [name, value] : contents.fields) {
        if (name.startsWith(u'$')) {
            return std::nullopt;
        }
        root.emplace(name, value);
    }
    root.emplace(classKey(), StoredObject(contents.className));
    root.emplace(versionKey(), StoredObject(contents.version));
    const PlistPtr plist = PlistNodes::toNode(root, writeRules());
    if (!plist) {
        return std::nullopt;
    }
    char* raw = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(plist.get(), &raw, &length);
    if (raw == nullptr) {
        return std::nullopt;
    }
    QByteArray data(raw, static_cast<qsizetype>(length));
    plist_to_bin_free(raw);
    return data;
}

DecodedArchive decodeArchive(const QByteArray& data) {
    if (!PlistBinary::isBinary(data)) {
        return {std::nullopt, "The data is not a keyed archive: it is no binary property list."};
    }
    QString problem;
    auto fields = PlistBinary::decode(data, binaryReadRules(), &problem);
    if (!fields) {
        return {std::nullopt, "The data is not a keyed archive: " + problem.toStdString() + "."};
    }
    ArchiveContents contents;
    contents.fields = std::move(*fields);
    const auto className = contents.fields.find(classKey());
    if (className == contents.fields.end() || className->second.string() == nullptr) {
        return {std::nullopt, "The keyed archive names no class."};
    }
    contents.className = *className->second.string();
    const auto version = contents.fields.find(versionKey());
    const Number* versionNumber = version == contents.fields.end() ? nullptr : version->second.number();
    if (versionNumber == nullptr || versionNumber->isBool() || versionNumber->isFloating()) {
        return {std::nullopt, "The keyed archive has no version."};
    }
    contents.version = versionNumber->toInt64();
    contents.fields.erase(classKey());
    contents.fields.erase(versionKey());
    return {std::move(contents), {}};
}

} // namespace zendra::Prefs
