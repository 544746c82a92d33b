#include "prefs/keyed_archive.h"

#include "prefs/json_qt.h"
#include "prefs/plist_nodes.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <plist/plist.h>

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
using PlistNodes::AllocatedText;

bool hasNul(const QString& text) {
    return text.contains(QChar(u'\0'));
}

PlistPtr toPlist(const StoredObject& object);

PlistPtr numberToPlist(const Number& number) {
    if (const auto* flag = std::get_if<bool>(&number.value)) {
        return PlistPtr(plist_new_bool(*flag ? 1 : 0));
    }
    if (const auto* integer = std::get_if<std::int64_t>(&number.value)) {
        // libplist keeps integers as 64-bit patterns; negative ones come back two's-complement.
        return PlistPtr(plist_new_uint(static_cast<std::uint64_t>(*integer)));
    }
    if (const auto* unsignedInteger = std::get_if<std::uint64_t>(&number.value)) {
        if (*unsignedInteger > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return nullptr;
        }
        return PlistPtr(plist_new_uint(*unsignedInteger));
    }
    return PlistPtr(plist_new_real(std::get<double>(number.value)));
}

PlistPtr dateToPlist(const QDateTime& date) {
    // libplist reads a date back as truncated seconds plus the absolute fraction, which loses the
    // fraction's sign: dates before the reference date are kept only in whole seconds.
    const qint64 msecs = referenceDate().msecsTo(date);
    const qint64 seconds = msecs / 1000;
    const qint64 micros = (msecs % 1000) * 1000;
    if (!std::in_range<std::int32_t>(seconds) || micros < 0) {
        return nullptr;
    }
    return PlistPtr(plist_new_date(static_cast<std::int32_t>(seconds), static_cast<std::int32_t>(micros)));
}

PlistPtr toPlist(const StoredObject& object) {
    return std::visit(
        [](const auto& value) -> PlistPtr {
            using V = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<V, QString>) {
                if (hasNul(value)) {
                    return nullptr;
                }
                return PlistPtr(plist_new_string(value.toUtf8().constData()));
            } else if constexpr (std::is_same_v<V, Number>) {
                return numberToPlist(value);
            } else if constexpr (std::is_same_v<V, QByteArray>) {
                return PlistPtr(plist_new_data(value.constData(), static_cast<std::uint64_t>(value.size())));
            } else if constexpr (std::is_same_v<V, QDateTime>) {
                return dateToPlist(value);
            } else if constexpr (std::is_same_v<V, StoredArray>) {
                PlistPtr array(plist_new_array());
                for (const auto& element : value) {
                    PlistPtr item = toPlist(element);
                    if (!item) {
                        return nullptr;
                    }
                    plist_array_append_item(array.get(), item.release());
                }
                return array;
            } else {
                PlistPtr dictionary(plist_new_dict());
                for (const auto& [name, element] : value) {
                    PlistPtr item = toPlist(element);
                    if (!item || hasNul(name)) {
                        return nullptr;
                    }
                    plist_dict_set_item(dictionary.get(), name.toUtf8().constData(), item.release());
                }
                return dictionary;
            }
        },
        object.variant());
}

std::optional<StoredObject> fromPlist(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return StoredObject(value != 0);
    }
    case PLIST_UINT: {
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return StoredObject(static_cast<std::int64_t>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return StoredObject(value);
    }
    case PLIST_STRING: {
        char* raw = nullptr;
        plist_get_string_val(node, &raw);
        AllocatedText text(raw);
        return StoredObject(QString::fromUtf8(text ? text.get() : ""));
    }
    case PLIST_DATA: {
        char* raw = nullptr;
        std::uint64_t length = 0;
        plist_get_data_val(node, &raw, &length);
        AllocatedText bytes(raw);
        return StoredObject(QByteArray(bytes.get(), static_cast<qsizetype>(length)));
    }
    case PLIST_DATE: {
        std::int32_t seconds = 0;
        std::int32_t micros = 0;
        plist_get_date_val(node, &seconds, &micros);
        // The microseconds come back truncated from a floating-point count of seconds.
        return StoredObject(referenceDate().addMSecs(qint64{seconds} * 1000 + std::lround(micros / 1000.0)));
    }
    case PLIST_ARRAY: {
        StoredArray array;
        const std::uint32_t size = plist_array_get_size(node);
        for (std::uint32_t i = 0; i < size; ++i) {
            auto element = fromPlist(plist_array_get_item(node, i));
            if (!element) {
                return std::nullopt;
            }
            array.push_back(std::move(*element));
        }
        return StoredObject(std::move(array));
    }
    case PLIST_DICT: {
        StoredDictionary dictionary;
        const bool complete = PlistNodes::forEachDictionaryEntry(node, [&](const char* key, plist_t item) {
            auto element = fromPlist(item);
            if (!element || !key) {
                return false;
            }
            dictionary.insert_or_assign(QString::fromUtf8(key), std::move(*element));
            return true;
        });
        if (!complete) {
            return std::nullopt;
        }
        return StoredObject(std::move(dictionary));
    }
    default:
        return std::nullopt;
    }
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
    PlistPtr plist = toPlist(StoredObject(std::move(root)));
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
    if (data.size() > std::numeric_limits<std::uint32_t>::max()) {
        return {std::nullopt, "The archive is too large to read."};
    }
    plist_t raw = nullptr;
    plist_from_bin(data.constData(), static_cast<std::uint32_t>(data.size()), &raw);
    PlistPtr plist(raw);
    if (!plist) {
        return {std::nullopt, "The data is not a keyed archive: it is no binary property list."};
    }
    auto root = fromPlist(plist.get());
    const StoredDictionary* dictionary = root ? root->dictionary() : nullptr;
    if (dictionary == nullptr) {
        return {std::nullopt, "The data is not a keyed archive: its root is no dictionary."};
    }
    ArchiveContents contents;
    contents.fields = *dictionary;
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
