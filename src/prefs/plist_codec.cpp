#include "prefs/plist_codec.h"

#include "prefs/plist_nodes.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <plist/plist.h>
#include <vector>

namespace zendra::Prefs::PlistCodec {

namespace {

// Seconds between the Unix epoch and the property-list epoch (2001-01-01T00:00:00Z).
constexpr std::int64_t plistEpochOffset = 978307200;
constexpr int maxDepth = 512;
constexpr std::string_view dateOpen = "<date>";
constexpr std::string_view dateClose = "</date>";

using PlistNodes::NodePtr;

std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

NodePtr parseText(std::string_view text) {
    plist_t node = nullptr;
    plist_from_memory(text.data(), static_cast<std::uint32_t>(text.size()), &node);
    return NodePtr(node);
}

// libplist keeps "unsigned above INT64_MAX" as a private flag of the integer node that only its own
// parser sets, so such a node is made, and recognised, by parsing the decimal text.
NodePtr bigUnsignedNode(std::uint64_t value) {
    const std::string text =
        "<plist version=\"1.0\"><integer>" + std::to_string(value) + "</integer></plist>";
    return parseText(text);
}

bool isBigUnsigned(plist_t node, std::uint64_t value) {
    if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return false;
    }
    const NodePtr reference = bigUnsignedNode(value);
    return reference && plist_compare_node_value(node, reference.get());
}

// ---- encoding ----

class Encoder {
public:
    plist_t node(const StoredObject& object) {
        return std::visit([this](const auto& value) { return make(value); }, object.variant());
    }

    // Date texts to put in place of the writer's, one per date node in document order; empty where
    // the writer's own text is exact.
    std::vector<QByteArray> dateTexts;

private:
    plist_t make(const QString& string) { return plist_new_string(string.toUtf8().constData()); }

    plist_t make(const Number& number) {
        return std::visit(
            [](auto value) -> plist_t {
                using V = decltype(value);
                if constexpr (std::is_same_v<V, bool>) {
                    return plist_new_bool(value ? 1 : 0);
                } else if constexpr (std::is_same_v<V, double>) {
                    return plist_new_real(value);
                } else if constexpr (std::is_same_v<V, std::uint64_t>) {
                    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
                        if (NodePtr parsed = bigUnsignedNode(value)) {
                            return plist_copy(parsed.get());
                        }
                    }
                    return plist_new_uint(value);
                } else {
                    return plist_new_uint(static_cast<std::uint64_t>(value));
                }
            },
            number.value);
    }

    plist_t make(const QByteArray& data) {
        return plist_new_data(data.constData(), static_cast<std::uint64_t>(data.size()));
    }

    plist_t make(const QDateTime& date) {
        const std::int64_t msecs = date.toMSecsSinceEpoch();
        const std::int64_t seconds = floorDiv(msecs, 1000) - plistEpochOffset;
        const bool exact = msecs % 1000 == 0 && seconds == clampToInt32(seconds);
        const QDateTime utc = date.toUTC();
        if (!exact && utc.date().year() >= 1 && utc.date().year() <= 9999) {
            dateTexts.push_back(utc.toString(Qt::ISODateWithMs).toLatin1());
        } else {
            dateTexts.emplace_back();
        }
        return plist_new_date(clampToInt32(seconds), 0);
    }

    plist_t make(const StoredArray& array) {
        plist_t node = plist_new_array();
        for (const auto& element : array) {
            plist_array_append_item(node, this->node(element));
        }
        return node;
    }

    plist_t make(const StoredDictionary& dictionary) {
        plist_t node = plist_new_dict();
        for (const auto& [name, element] : dictionary) {
            plist_dict_set_item(node, name.toUtf8().constData(), this->node(element));
        }
        return node;
    }
};

// The writer prints dates to the second; the n-th "<date>" of its text belongs to the n-th date node,
// because '<' inside strings and keys is always escaped.
QByteArray withDateTexts(QByteArray xml, const std::vector<QByteArray>& texts) {
    qsizetype from = 0;
    for (const auto& text : texts) {
        const qsizetype open = xml.indexOf(dateOpen.data(), from);
        if (open < 0) {
            break;
        }
        const qsizetype start = open + static_cast<qsizetype>(dateOpen.size());
        const qsizetype close = xml.indexOf(dateClose.data(), start);
        if (close < 0) {
            break;
        }
        if (!text.isEmpty()) {
            xml.replace(start, close - start, text);
            from = start + text.size();
        } else {
            from = close;
        }
    }
    return xml;
}

// ---- decoding ----

std::vector<QByteArray> dateTextsOf(const QByteArray& bytes) {
    std::vector<QByteArray> texts;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = bytes.indexOf(dateOpen.data(), from);
        if (open < 0) {
            break;
        }
        const qsizetype start = open + static_cast<qsizetype>(dateOpen.size());
        const qsizetype close = bytes.indexOf(dateClose.data(), start);
        if (close < 0) {
            break;
        }
        texts.push_back(bytes.mid(start, close - start).trimmed());
        from = close;
    }
    return texts;
}

int countDates(plist_t node, int depth) {
    if (depth > maxDepth) {
        return 0;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_DATE:
        return 1;
    case PLIST_ARRAY: {
        int count = 0;
        const std::uint32_t size = plist_array_get_size(node);
        for (std::uint32_t i = 0; i < size; ++i) {
            count += countDates(plist_array_get_item(node, i), depth + 1);
        }
        return count;
    }
    case PLIST_DICT: {
        int count = 0;
        PlistNodes::forEachDictionaryEntry(node, [&](const char*, plist_t value) {
            count += countDates(value, depth + 1);
            return true;
        });
        return count;
    }
    default:
        return 0;
    }
}

class Decoder {
public:
    explicit Decoder(std::vector<QByteArray> texts) : texts_(std::move(texts)) {}

    // Date texts are used only when they line up with the date nodes one to one.
    void alignWith(plist_t root) {
        if (static_cast<std::size_t>(countDates(root, 0)) != texts_.size()) {
            texts_.clear();
        }
    }

    OptionalStoredObject object(plist_t node, int depth) {
        switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            std::uint8_t value = 0;
            plist_get_bool_val(node, &value);
            return StoredObject(value != 0);
        }
        case PLIST_UINT: {
            std::uint64_t value = 0;
            plist_get_uint_val(node, &value);
            if (isBigUnsigned(node, value)) {
                return StoredObject(value);
            }
            return StoredObject(static_cast<std::int64_t>(value));
        }
        case PLIST_REAL: {
            double value = 0;
            plist_get_real_val(node, &value);
            return StoredObject(value);
        }
        case PLIST_STRING: {
            std::uint64_t length = 0;
            const char* text = plist_get_string_ptr(node, &length);
            return StoredObject(QString::fromUtf8(text, static_cast<qsizetype>(length)));
        }
        case PLIST_DATA: {
            std::uint64_t length = 0;
            const char* data = plist_get_data_ptr(node, &length);
            return StoredObject(QByteArray(data, static_cast<qsizetype>(length)));
        }
        case PLIST_DATE:
            return StoredObject(date(node));
        case PLIST_ARRAY:
            return depth >= maxDepth ? OptionalStoredObject() : OptionalStoredObject(array(node, depth));
        case PLIST_DICT:
            return depth >= maxDepth ? OptionalStoredObject() : OptionalStoredObject(dictionary(node, depth));
        default:
            return std::nullopt;
        }
    }

    StoredDictionary dictionary(plist_t node, int depth) {
        StoredDictionary result;
        PlistNodes::forEachDictionaryEntry(node, [&](const char* key, plist_t value) {
            if (auto decoded = object(value, depth + 1); decoded && key) {
                result.insert_or_assign(QString::fromUtf8(key), std::move(*decoded));
            }
            return true;
        });
        return result;
    }

private:
    StoredArray array(plist_t node, int depth) {
        StoredArray result;
        const std::uint32_t size = plist_array_get_size(node);
        result.reserve(size);
        for (std::uint32_t i = 0; i < size; ++i) {
            if (auto decoded = object(plist_array_get_item(node, i), depth + 1)) {
                result.push_back(std::move(*decoded));
            }
        }
        return result;
    }

    QDateTime date(plist_t node) {
        std::int32_t seconds = 0;
        std::int32_t usecs = 0;
        plist_get_date_val(node, &seconds, &usecs);
        const std::size_t index = nextDate_++;
        if (index < texts_.size()) {
            const QDateTime parsed =
                QDateTime::fromString(QString::fromLatin1(texts_[index]), Qt::ISODateWithMs).toUTC();
            if (parsed.isValid() && sameSecond(parsed, seconds)) {
                return parsed;
            }
        }
        const std::int64_t msecs = (std::int64_t{seconds} + plistEpochOffset) * 1000 + usecs / 1000;
        return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    }

    // Whether a date text belongs to a node; the parser turns seconds outside the node's range into
    // one of its limits.
    static bool sameSecond(const QDateTime& parsed, std::int32_t seconds) {
        const std::int64_t expected = floorDiv(parsed.toMSecsSinceEpoch(), 1000) - plistEpochOffset;
        if (expected == clampToInt32(expected)) {
            return expected == seconds;
        }
        return seconds == std::numeric_limits<std::int32_t>::min() ||
               seconds == std::numeric_limits<std::int32_t>::max();
    }

    std::vector<QByteArray> texts_;
    std::size_t nextDate_ = 0;
};

bool sameNumber(const Number& a, const Number& b) {
    if (a.isBool() || b.isBool() || a.isFloating() || b.isFloating()) {
        if (a.isFloating() && b.isFloating()) {
            const double x = std::get<double>(a.value);
            const double y = std::get<double>(b.value);
            return x == y || (std::isnan(x) && std::isnan(y));
        }
        return a == b;
    }
    // Both integers: the file tells only "negative or at most INT64_MAX" from "above INT64_MAX".
    const auto bits = [](const Number& n) {
        return std::visit([](auto v) { return static_cast<std::uint64_t>(v); }, n.value);
    };
    const auto big = [](const Number& n) {
        const auto* u = std::get_if<std::uint64_t>(&n.value);
        return u && *u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    };
    return bits(a) == bits(b) && big(a) == big(b);
}

} // namespace

QByteArray encode(const StoredDictionary& entries) {
    Encoder encoder;
    const NodePtr root(encoder.node(StoredObject(entries)));
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    QByteArray text(xml, static_cast<qsizetype>(length));
    plist_to_xml_free(xml);
    return withDateTexts(std::move(text), encoder.dateTexts);
}

std::optional<StoredDictionary> decode(const QByteArray& bytes, QString* error) {
    if (bytes.isEmpty()) {
        return StoredDictionary{};
    }
    if (bytes.size() > std::numeric_limits<std::int32_t>::max()) {
        if (error) {
            *error = QStringLiteral("the file is too large");
        }
        return std::nullopt;
    }
    const NodePtr root =
        parseText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!root) {
        if (error) {
            *error = QStringLiteral("not a property list");
        }
        return std::nullopt;
    }
    if (plist_get_node_type(root.get()) != PLIST_DICT) {
        if (error) {
            *error = QStringLiteral("the root of the property list is not a dictionary");
        }
        return std::nullopt;
    }
    Decoder decoder(plist_is_binary(bytes.constData(), static_cast<std::uint32_t>(bytes.size()))
                        ? std::vector<QByteArray>{}
                        : dateTextsOf(bytes));
    decoder.alignWith(root.get());
    return decoder.dictionary(root.get(), 0);
}

bool sameStoredForm(const StoredObject& a, const StoredObject& b) {
    return std::visit(
        [](const auto& x, const auto& y) -> bool {
            using X = std::decay_t<decltype(x)>;
            using Y = std::decay_t<decltype(y)>;
            if constexpr (!std::is_same_v<X, Y>) {
                return false;
            } else if constexpr (std::is_same_v<X, Number>) {
                return sameNumber(x, y);
            } else if constexpr (std::is_same_v<X, StoredArray>) {
                return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                                  [](const auto& l, const auto& r) { return sameStoredForm(l, r); });
            } else if constexpr (std::is_same_v<X, StoredDictionary>) {
                return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const auto& l, const auto& r) {
                    return l.first == r.first && sameStoredForm(l.second, r.second);
                });
            } else {
                return x == y;
            }
        },
        a.variant(), b.variant());
}

bool sameStoredForm(const OptionalStoredObject& a, const OptionalStoredObject& b) {
    if (!a || !b) {
        return a.has_value() == b.has_value();
    }
    return sameStoredForm(*a, *b);
}

} // namespace zendra::Prefs::PlistCodec
