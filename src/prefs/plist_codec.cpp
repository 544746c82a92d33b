#include "prefs/plist_codec.h"

#include "prefs/plist_binary.h"
#include "prefs/plist_nodes.h"
#include "prefs/plist_xml_guard.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <plist/plist.h>
#include <string_view>
#include <utility>
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

NodePtr parseXml(const QByteArray& bytes) {
    plist_t node = nullptr;
    plist_from_xml(bytes.constData(), static_cast<std::uint32_t>(bytes.size()), &node);
    return NodePtr(node);
}

// Dates as readers of the XML form take them: whole seconds from year 1 to year 9999.
std::int64_t xmlSeconds(const QDateTime& date) {
    static const std::int64_t first =
        QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch() - plistEpochOffset;
    static const std::int64_t last =
        QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC).toSecsSinceEpoch() - plistEpochOffset;
    return std::clamp(floorDiv(date.toMSecsSinceEpoch(), 1000) - plistEpochOffset, first, last);
}

bool xmlHoldsExactly(const StoredObject& object) {
    if (const auto* text = object.string()) {
        return PlistXmlGuard::holdsExactly(*text);
    }
    if (const auto* array = object.array()) {
        return std::all_of(array->begin(), array->end(), [](const auto& e) { return xmlHoldsExactly(e); });
    }
    if (const auto* dictionary = object.dictionary()) {
        return std::all_of(dictionary->begin(), dictionary->end(), [](const auto& entry) {
            return PlistXmlGuard::holdsExactly(entry.first) && xmlHoldsExactly(entry.second);
        });
    }
    return true;
}

// ---- encoding ----

// The writer prints dates only within the node's range of seconds; `texts` gets, per date node in
// document order, the text for the others (empty where the writer's own is exact).
std::optional<PlistNodes::DateValue> dateValue(const QDateTime& date, std::vector<QByteArray>& texts) {
    const std::int64_t seconds = xmlSeconds(date);
    if (seconds == clampToInt32(seconds)) {
        texts.emplace_back();
    } else {
        texts.push_back(QDateTime::fromSecsSinceEpoch(seconds + plistEpochOffset, Qt::UTC)
                            .toString(Qt::ISODate)
                            .toLatin1());
    }
    return PlistNodes::DateValue{clampToInt32(seconds), 0};
}

// The span of the first date text at or after `from`: from after "<date>" up to "</date>".
std::optional<std::pair<qsizetype, qsizetype>> nextDateText(const QByteArray& xml, qsizetype from) {
    const qsizetype open = xml.indexOf(dateOpen.data(), from);
    if (open < 0) {
        return std::nullopt;
    }
    const qsizetype start = open + static_cast<qsizetype>(dateOpen.size());
    const qsizetype close = xml.indexOf(dateClose.data(), start);
    if (close < 0) {
        return std::nullopt;
    }
    return std::pair{start, close};
}

// The n-th "<date>" of the writer's text belongs to the n-th date node, because '<' inside strings and
// keys is always escaped.
QByteArray withDateTexts(QByteArray xml, const std::vector<QByteArray>& texts) {
    qsizetype from = 0;
    for (const auto& text : texts) {
        const auto span = nextDateText(xml, from);
        if (!span) {
            break;
        }
        const auto [start, close] = *span;
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
    for (auto span = nextDateText(bytes, 0); span; span = nextDateText(bytes, span->second)) {
        texts.push_back(bytes.mid(span->first, span->second - span->first).trimmed());
    }
    return texts;
}

// The date nodes the decoder reads: containers nested maxDepth deep are left out with their contents.
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

// Whether a date text belongs to a node; the parser turns seconds outside the node's range into one of
// its limits.
bool sameSecond(const QDateTime& parsed, std::int32_t seconds) {
    const std::int64_t expected = floorDiv(parsed.toMSecsSinceEpoch(), 1000) - plistEpochOffset;
    if (expected == clampToInt32(expected)) {
        return expected == seconds;
    }
    return seconds == std::numeric_limits<std::int32_t>::min() ||
           seconds == std::numeric_limits<std::int32_t>::max();
}

// Reads the date nodes in document order, each from the file's own date text where that is the node's
// text. The texts are used only when they line up with the date nodes one to one.
class DateReader {
public:
    DateReader(std::vector<QByteArray> texts, plist_t root) : texts_(std::move(texts)) {
        if (static_cast<std::size_t>(countDates(root, 0)) != texts_.size()) {
            texts_.clear();
        }
    }

    QDateTime date(PlistNodes::DateValue value) {
        const std::size_t index = next_++;
        if (index < texts_.size()) {
            const QDateTime parsed =
                QDateTime::fromString(QString::fromLatin1(texts_[index]), Qt::ISODateWithMs).toUTC();
            if (parsed.isValid() && sameSecond(parsed, value.seconds)) {
                return parsed;
            }
        }
        const std::int64_t msecs =
            (std::int64_t{value.seconds} + plistEpochOffset) * 1000 + value.usecs / 1000;
        return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    }

private:
    std::vector<QByteArray> texts_;
    std::size_t next_ = 0;
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
    if (!xmlHoldsExactly(StoredObject(entries))) {
        return PlistBinary::encode(entries);
    }
    std::vector<QByteArray> dateTexts;
    const PlistNodes::WriteRules rules{
        .bigUnsigned = true,
        .refuseNul = false,
        .date = [&dateTexts](const QDateTime& date) { return dateValue(date, dateTexts); },
    };
    const NodePtr root = PlistNodes::toNode(entries, rules);
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    QByteArray text(xml, static_cast<qsizetype>(length));
    plist_to_xml_free(xml);
    return withDateTexts(std::move(text), dateTexts);
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
    if (PlistBinary::isBinary(bytes)) {
        return PlistBinary::decode(bytes, {.bigUnsigned = true, .skipUnreadable = true, .maxDepth = maxDepth},
                                   error);
    }
    if (auto problem = PlistXmlGuard::problemBeforeParsing(bytes, maxDepth)) {
        if (error) {
            *error = *problem;
        }
        return std::nullopt;
    }
    const NodePtr root = parseXml(bytes);
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
    DateReader dates(dateTextsOf(bytes), root.get());
    const PlistNodes::ReadRules rules{
        .bigUnsigned = true,
        .skipUnreadable = true,
        .maxDepth = maxDepth,
        .date = [&dates](PlistNodes::DateValue value) { return dates.date(value); },
    };
    return PlistNodes::fromNode(root.get(), rules);
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
            } else if constexpr (std::is_same_v<X, QDateTime>) {
                return xmlSeconds(x) == xmlSeconds(y);
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
