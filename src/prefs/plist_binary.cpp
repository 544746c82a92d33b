#include "prefs/plist_binary.h"

#include "prefs/json_qt.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace zendra::Prefs::PlistBinary {

namespace {

constexpr char magic[] = "bplist00";
constexpr qsizetype headerSize = 8;
constexpr qsizetype trailerSize = 32;
constexpr auto int64Max = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
// Seconds beyond which a date means nothing (about 300,000 years either side of 2001).
constexpr double maxDateSeconds = 1e13;

enum Marker : std::uint8_t {
    kindSimple = 0x0,
    kindInteger = 0x1,
    kindReal = 0x2,
    kindDate = 0x3,
    kindData = 0x4,
    kindAscii = 0x5,
    kindUtf16 = 0x6,
    kindArray = 0xA,
    kindDictionary = 0xD,
};

std::uint64_t bigEndian(const unsigned char* bytes, int width) {
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

class Reader {
public:
    Reader(const QByteArray& bytes, const ReadRules& rules)
        : data_(reinterpret_cast<const unsigned char*>(bytes.constData())), size_(bytes.size()),
          rules_(rules), budget_(8 * static_cast<std::uint64_t>(bytes.size()) + 1024) {}

    std::optional<StoredDictionary> root(QString* error) {
        std::optional<StoredDictionary> result;
        if (readTrailer()) {
            OptionalStoredObject top = object(topObject_, 0);
            if (top && top->dictionary()) {
                result = std::move(*std::get_if<StoredDictionary>(&top->variant()));
            } else if (failure_.isEmpty()) {
                failure_ = QStringLiteral("the root of the property list is not a dictionary");
            }
        }
        if (!result && error) {
            *error = failure_;
        }
        return result;
    }

private:
    bool fail(const QString& reason) {
        if (failure_.isEmpty()) {
            failure_ = reason;
        }
        return false;
    }
    bool damaged() { return fail(QStringLiteral("damaged binary property list")); }

    bool readTrailer() {
        if (size_ < headerSize + trailerSize) {
            return damaged();
        }
        const unsigned char* trailer = data_ + size_ - trailerSize;
        offsetSize_ = trailer[6];
        refSize_ = trailer[7];
        const std::uint64_t count = bigEndian(trailer + 8, 8);
        topObject_ = bigEndian(trailer + 16, 8);
        tableOffset_ = bigEndian(trailer + 24, 8);
        const auto tableLimit = static_cast<std::uint64_t>(size_ - trailerSize);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8 || count == 0 ||
            topObject_ >= count || tableOffset_ < headerSize || tableOffset_ > tableLimit ||
            count > (tableLimit - tableOffset_) / offsetSize_) {
            return damaged();
        }
        objectCount_ = count;
        return true;
    }

    std::optional<std::uint64_t> offsetOf(std::uint64_t ref) {
        if (ref >= objectCount_) {
            damaged();
            return std::nullopt;
        }
        const std::uint64_t offset = bigEndian(data_ + tableOffset_ + ref * offsetSize_, offsetSize_);
        if (offset < headerSize || offset >= tableOffset_) {
            damaged();
            return std::nullopt;
        }
        return offset;
    }

    // Whether `length` bytes from `offset` lie before the offset table.
    bool fits(std::uint64_t offset, std::uint64_t length) const {
        return offset <= tableOffset_ && length <= tableOffset_ - offset;
    }

    // The element count of a data, string or container object and where its contents start.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> countAt(std::uint64_t offset, int info) {
        if (info != 0xF) {
            return std::pair{std::uint64_t(info), offset + 1};
        }
        if (!fits(offset + 1, 1) || (data_[offset + 1] >> 4) != kindInteger ||
            (data_[offset + 1] & 0xF) > 3) {
            damaged();
            return std::nullopt;
        }
        const int width = 1 << (data_[offset + 1] & 0xF);
        if (!fits(offset + 2, width)) {
            damaged();
            return std::nullopt;
        }
        return std::pair{bigEndian(data_ + offset + 2, width), offset + 2 + width};
    }

    OptionalStoredObject integer(std::uint64_t offset, int info) {
        if (info > 4 || !fits(offset + 1, 1u << info)) {
            damaged();
            return std::nullopt;
        }
        const unsigned char* bytes = data_ + offset + 1;
        if (info < 3) {
            return StoredObject(static_cast<std::int64_t>(bigEndian(bytes, 1 << info)));
        }
        if (info == 3) {
            return StoredObject(static_cast<std::int64_t>(bigEndian(bytes, 8)));
        }
        const std::uint64_t high = bigEndian(bytes, 8);
        const std::uint64_t low = bigEndian(bytes + 8, 8);
        if (high == 0 && rules_.bigUnsigned && low > int64Max) {
            return StoredObject(low);
        }
        if (high == 0 || high == ~std::uint64_t{0}) {
            return StoredObject(static_cast<std::int64_t>(low));
        }
        return std::nullopt; // beyond 64 bits
    }

    std::optional<double> real(std::uint64_t offset, int info) {
        if ((info != 2 && info != 3) || !fits(offset + 1, 1u << info)) {
            damaged();
            return std::nullopt;
        }
        if (info == 2) {
            return double(std::bit_cast<float>(static_cast<std::uint32_t>(bigEndian(data_ + offset + 1, 4))));
        }
        return std::bit_cast<double>(bigEndian(data_ + offset + 1, 8));
    }

    OptionalStoredObject date(std::uint64_t offset, int info) {
        const std::optional<double> seconds = real(offset, info);
        if (!seconds || !std::isfinite(*seconds) || std::abs(*seconds) > maxDateSeconds) {
            return std::nullopt;
        }
        return StoredObject(referenceDate().addMSecs(std::llround(*seconds * 1000.0)).toUTC());
    }

    OptionalStoredObject bytesOrText(std::uint64_t offset, int kind, int info) {
        const auto counted = countAt(offset, info);
        const std::uint64_t unit = kind == kindUtf16 ? 2 : 1;
        if (!counted || counted->first > std::numeric_limits<std::uint64_t>::max() / unit ||
            !fits(counted->second, counted->first * unit)) {
            damaged();
            return std::nullopt;
        }
        const auto [count, start] = *counted;
        const char* bytes = reinterpret_cast<const char*>(data_ + start);
        if (kind == kindData) {
            return StoredObject(QByteArray(bytes, static_cast<qsizetype>(count)));
        }
        if (kind == kindAscii) {
            return StoredObject(QString::fromLatin1(bytes, static_cast<qsizetype>(count)));
        }
        QString text(static_cast<qsizetype>(count), Qt::Uninitialized);
        for (std::uint64_t i = 0; i < count; ++i) {
            text[static_cast<qsizetype>(i)] =
                QChar(static_cast<char16_t>(bigEndian(data_ + start + 2 * i, 2)));
        }
        return StoredObject(std::move(text));
    }

    OptionalStoredObject container(std::uint64_t offset, int kind, int info, int depth) {
        if (depth >= rules_.maxDepth) {
            fail(QStringLiteral("containers are nested more than %1 deep").arg(rules_.maxDepth));
            return std::nullopt;
        }
        const auto counted = countAt(offset, info);
        const std::uint64_t refs = kind == kindDictionary ? 2 : 1;
        if (!counted || counted->first > tableOffset_ ||
            !fits(counted->second, counted->first * refs * refSize_)) {
            damaged();
            return std::nullopt;
        }
        // Plain variables, not a structured binding: the lambda below captures them, which clang
        // before 16 refuses for bindings.
        const std::uint64_t count = counted->first;
        const std::uint64_t start = counted->second;
        const auto refAt = [&](std::uint64_t i) { return bigEndian(data_ + start + i * refSize_, refSize_); };
        if (kind == kindArray) {
            StoredArray array;
            for (std::uint64_t i = 0; i < count; ++i) {
                if (!keep(object(refAt(i), depth + 1),
                          [&](StoredObject&& element) { array.push_back(std::move(element)); })) {
                    return std::nullopt;
                }
            }
            return StoredObject(std::move(array));
        }
        StoredDictionary dictionary;
        for (std::uint64_t i = 0; i < count; ++i) {
            OptionalStoredObject key = object(refAt(i), depth + 1);
            if (key && !key->string()) {
                key.reset();
            }
            OptionalStoredObject value = key ? object(refAt(count + i), depth + 1) : std::nullopt;
            if (!keep(std::move(value), [&](StoredObject&& element) {
                    dictionary.insert_or_assign(*key->string(), std::move(element));
                })) {
                return std::nullopt;
            }
        }
        return StoredObject(std::move(dictionary));
    }

    // Passes a read element on; false when reading must stop (a failure, or an element without stored
    // form where such elements are not skipped).
    template <class Store> bool keep(OptionalStoredObject element, Store&& store) {
        if (!failure_.isEmpty()) {
            return false;
        }
        if (element) {
            store(std::move(*element));
            return true;
        }
        return rules_.skipUnreadable;
    }

    OptionalStoredObject object(std::uint64_t ref, int depth) {
        if (++visited_ > budget_) {
            fail(QStringLiteral("the property list expands to too many objects"));
            return std::nullopt;
        }
        const auto offset = offsetOf(ref);
        if (!offset) {
            return std::nullopt;
        }
        const int kind = data_[*offset] >> 4;
        const int info = data_[*offset] & 0xF;
        switch (kind) {
        case kindSimple:
            if (info == 0x8 || info == 0x9) {
                return StoredObject(info == 0x9);
            }
            return std::nullopt;
        case kindInteger:
            return integer(*offset, info);
        case kindReal:
            if (auto value = real(*offset, info)) {
                return StoredObject(*value);
            }
            return std::nullopt;
        case kindDate:
            return date(*offset, info);
        case kindData:
        case kindAscii:
        case kindUtf16:
            return bytesOrText(*offset, kind, info);
        case kindArray:
        case kindDictionary:
            return container(*offset, kind, info, depth);
        default:
            return std::nullopt; // UID, set, and kinds this format version does not define
        }
    }

    const unsigned char* data_;
    qsizetype size_;
    const ReadRules& rules_;
    int offsetSize_ = 0;
    int refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t topObject_ = 0;
    std::uint64_t tableOffset_ = 0;
    // Shared objects may be reached many times; this bounds the work however they are shared.
    std::uint64_t budget_;
    std::uint64_t visited_ = 0;
    QString failure_;
};

int widthFor(std::uint64_t value) {
    return value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : value <= 0xFFFFFFFF ? 4 : 8;
}

void appendBigEndian(QByteArray& out, std::uint64_t value, int width) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) {
        out.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

void appendMarker(QByteArray& out, int kind, std::uint64_t count) {
    if (count < 15) {
        out.append(static_cast<char>((kind << 4) | static_cast<int>(count)));
        return;
    }
    out.append(static_cast<char>((kind << 4) | 0xF));
    const int width = widthFor(count);
    out.append(static_cast<char>((kindInteger << 4) | std::countr_zero(static_cast<unsigned>(width))));
    appendBigEndian(out, count, width);
}

std::uint64_t objectCount(const StoredObject& object) {
    std::uint64_t count = 1;
    if (const auto* array = object.array()) {
        for (const auto& element : *array) {
            count += objectCount(element);
        }
    } else if (const auto* dictionary = object.dictionary()) {
        for (const auto& [name, element] : *dictionary) {
            count += 1 + objectCount(element);
        }
    }
    return count;
}

class Writer {
public:
    explicit Writer(int refSize) : refSize_(refSize) {}

    std::uint64_t add(const StoredObject& object) {
        const std::uint64_t index = objects_.size();
        objects_.emplace_back();
        QByteArray bytes = std::visit([this](const auto& value) { return encode(value); }, object.variant());
        objects_[index] = std::move(bytes);
        return index;
    }

    QByteArray finish() {
        QByteArray out(magic, headerSize);
        std::vector<std::uint64_t> offsets;
        offsets.reserve(objects_.size());
        for (const auto& object : objects_) {
            offsets.push_back(static_cast<std::uint64_t>(out.size()));
            out.append(object);
        }
        const auto tableOffset = static_cast<std::uint64_t>(out.size());
        const int offsetSize = widthFor(tableOffset);
        for (const std::uint64_t offset : offsets) {
            appendBigEndian(out, offset, offsetSize);
        }
        out.append(QByteArray(6, '\0'));
        out.append(static_cast<char>(offsetSize));
        out.append(static_cast<char>(refSize_));
        appendBigEndian(out, objects_.size(), 8);
        appendBigEndian(out, 0, 8);
        appendBigEndian(out, tableOffset, 8);
        return out;
    }

private:
    QByteArray encode(const QString& text) const {
        QByteArray out;
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        appendMarker(out, ascii ? kindAscii : kindUtf16, static_cast<std::uint64_t>(text.size()));
        for (const QChar c : text) {
            appendBigEndian(out, c.unicode(), ascii ? 1 : 2);
        }
        return out;
    }

    QByteArray encode(const Number& number) const {
        QByteArray out;
        std::visit(
            [&out](auto value) {
                using V = decltype(value);
                if constexpr (std::is_same_v<V, bool>) {
                    out.append(static_cast<char>(value ? 0x09 : 0x08));
                } else if constexpr (std::is_same_v<V, double>) {
                    out.append(static_cast<char>((kindReal << 4) | 3));
                    appendBigEndian(out, std::bit_cast<std::uint64_t>(value), 8);
                } else {
                    bool negative = false;
                    if constexpr (std::is_signed_v<V>) {
                        negative = value < 0;
                    }
                    const auto bits = static_cast<std::uint64_t>(value);
                    if (!negative && bits > int64Max) {
                        out.append(static_cast<char>((kindInteger << 4) | 4));
                        appendBigEndian(out, 0, 8);
                        appendBigEndian(out, bits, 8);
                    } else if (!negative && bits <= 0xFFFFFFFF) {
                        const int width = widthFor(bits);
                        out.append(static_cast<char>((kindInteger << 4) | std::countr_zero(unsigned(width))));
                        appendBigEndian(out, bits, width);
                    } else {
                        out.append(static_cast<char>((kindInteger << 4) | 3));
                        appendBigEndian(out, bits, 8);
                    }
                }
            },
            number.value);
        return out;
    }

    QByteArray encode(const QByteArray& data) const {
        QByteArray out;
        appendMarker(out, kindData, static_cast<std::uint64_t>(data.size()));
        out.append(data);
        return out;
    }

    QByteArray encode(const QDateTime& date) const {
        QByteArray out;
        out.append(static_cast<char>((kindDate << 4) | 3));
        const double seconds = static_cast<double>(referenceDate().msecsTo(date)) / 1000.0;
        appendBigEndian(out, std::bit_cast<std::uint64_t>(seconds), 8);
        return out;
    }

    QByteArray encode(const StoredArray& array) {
        std::vector<std::uint64_t> refs;
        refs.reserve(array.size());
        for (const auto& element : array) {
            refs.push_back(add(element));
        }
        return containerBytes(kindArray, array.size(), refs);
    }

    QByteArray encode(const StoredDictionary& dictionary) {
        std::vector<std::uint64_t> refs(2 * dictionary.size());
        std::size_t i = 0;
        for (const auto& [name, element] : dictionary) {
            refs[i] = add(StoredObject(name));
            refs[dictionary.size() + i] = add(element);
            ++i;
        }
        return containerBytes(kindDictionary, dictionary.size(), refs);
    }

    QByteArray containerBytes(int kind, std::size_t count, const std::vector<std::uint64_t>& refs) const {
        QByteArray out;
        appendMarker(out, kind, count);
        for (const std::uint64_t ref : refs) {
            appendBigEndian(out, ref, refSize_);
        }
        return out;
    }

    int refSize_;
    std::vector<QByteArray> objects_;
};

} // namespace

bool isBinary(const QByteArray& bytes) {
    return bytes.startsWith(QByteArrayView(magic, headerSize));
}

std::optional<StoredDictionary> decode(const QByteArray& bytes, const ReadRules& rules, QString* error) {
    if (!isBinary(bytes)) {
        if (error) {
            *error = QStringLiteral("not a binary property list");
        }
        return std::nullopt;
    }
    return Reader(bytes, rules).root(error);
}

QByteArray encode(const StoredDictionary& root) {
    const StoredObject top(root);
    Writer writer(widthFor(objectCount(top)));
    writer.add(top);
    return writer.finish();
}

} // namespace zendra::Prefs::PlistBinary
