#include "prefs/plist_nodes.h"

#include <cstdlib>
#include <string>

namespace zendra::Prefs::PlistNodes {

namespace {

// Memory that libplist hands to the caller (key copies, iterators).
struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
using AllocatedText = std::unique_ptr<char, FreeDeleter>;

constexpr auto int64Max = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

// libplist keeps "unsigned above INT64_MAX" as a private flag of the integer node that only its own
// parser sets, so such a node is made, and recognised, by parsing the decimal text.
NodePtr bigUnsignedNode(std::uint64_t value) {
    const std::string text =
        "<plist version=\"1.0\"><integer>" + std::to_string(value) + "</integer></plist>";
    plist_t node = nullptr;
    plist_from_memory(text.data(), static_cast<std::uint32_t>(text.size()), &node);
    return NodePtr(node);
}

bool isBigUnsigned(plist_t node, std::uint64_t value) {
    if (value <= int64Max) {
        return false;
    }
    const NodePtr reference = bigUnsignedNode(value);
    return reference && plist_compare_node_value(node, reference.get());
}

bool hasNul(const QString& text) {
    return text.contains(QChar(u'\0'));
}

class Writer {
public:
    explicit Writer(const WriteRules& rules) : rules_(rules) {}

    NodePtr node(const StoredObject& object) const {
        return std::visit([this](const auto& value) { return make(value); }, object.variant());
    }

    NodePtr make(const StoredDictionary& dictionary) const {
        NodePtr node(plist_new_dict());
        for (const auto& [name, element] : dictionary) {
            NodePtr item = this->node(element);
            if (!item || (rules_.refuseNul && hasNul(name))) {
                return nullptr;
            }
            plist_dict_set_item(node.get(), name.toUtf8().constData(), item.release());
        }
        return node;
    }

private:
    NodePtr make(const QString& string) const {
        if (rules_.refuseNul && hasNul(string)) {
            return nullptr;
        }
        return NodePtr(plist_new_string(string.toUtf8().constData()));
    }

    NodePtr make(const Number& number) const {
        return std::visit(
            [this](auto value) -> NodePtr {
                using V = decltype(value);
                if constexpr (std::is_same_v<V, bool>) {
                    return NodePtr(plist_new_bool(value ? 1 : 0));
                } else if constexpr (std::is_same_v<V, double>) {
                    return NodePtr(plist_new_real(value));
                } else if constexpr (std::is_same_v<V, std::uint64_t>) {
                    if (value > int64Max) {
                        if (!rules_.bigUnsigned) {
                            return nullptr;
                        }
                        if (NodePtr parsed = bigUnsignedNode(value)) {
                            return parsed;
                        }
                    }
                    return NodePtr(plist_new_uint(value));
                } else {
                    // Integer nodes hold 64-bit patterns; negative ones read back two's-complement.
                    return NodePtr(plist_new_uint(static_cast<std::uint64_t>(value)));
                }
            },
            number.value);
    }

    NodePtr make(const QByteArray& data) const {
        return NodePtr(plist_new_data(data.constData(), static_cast<std::uint64_t>(data.size())));
    }

    NodePtr make(const QDateTime& date) const {
        const std::optional<DateValue> value = rules_.date(date);
        return value ? NodePtr(plist_new_date(value->seconds, value->usecs)) : nullptr;
    }

    NodePtr make(const StoredArray& array) const {
        NodePtr node(plist_new_array());
        for (const auto& element : array) {
            NodePtr item = this->node(element);
            if (!item) {
                return nullptr;
            }
            plist_array_append_item(node.get(), item.release());
        }
        return node;
    }

    const WriteRules& rules_;
};

class Reader {
public:
    explicit Reader(const ReadRules& rules) : rules_(rules) {}

    OptionalStoredObject object(plist_t node, int depth) const {
        switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            std::uint8_t value = 0;
            plist_get_bool_val(node, &value);
            return StoredObject(value != 0);
        }
        case PLIST_UINT: {
            std::uint64_t value = 0;
            plist_get_uint_val(node, &value);
            if (rules_.bigUnsigned && isBigUnsigned(node, value)) {
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
        case PLIST_DATE: {
            DateValue value;
            plist_get_date_val(node, &value.seconds, &value.usecs);
            return StoredObject(rules_.date(value));
        }
        case PLIST_ARRAY:
            return depth >= rules_.maxDepth ? std::nullopt : array(node, depth);
        case PLIST_DICT: {
            if (depth >= rules_.maxDepth) {
                return std::nullopt;
            }
            auto entries = dictionary(node, depth);
            return entries ? OptionalStoredObject(std::move(*entries)) : std::nullopt;
        }
        default:
            return std::nullopt;
        }
    }

    std::optional<StoredDictionary> dictionary(plist_t node, int depth) const {
        StoredDictionary result;
        const bool complete = forEachDictionaryEntry(node, [&](const char* key, plist_t value) {
            auto element = object(value, depth + 1);
            if (element && key) {
                result.insert_or_assign(QString::fromUtf8(key), std::move(*element));
                return true;
            }
            return rules_.skipUnreadable;
        });
        return complete ? std::optional(std::move(result)) : std::nullopt;
    }

private:
    OptionalStoredObject array(plist_t node, int depth) const {
        StoredArray result;
        const std::uint32_t size = plist_array_get_size(node);
        result.reserve(size);
        for (std::uint32_t i = 0; i < size; ++i) {
            if (auto element = object(plist_array_get_item(node, i), depth + 1)) {
                result.push_back(std::move(*element));
            } else if (!rules_.skipUnreadable) {
                return std::nullopt;
            }
        }
        return StoredObject(std::move(result));
    }

    const ReadRules& rules_;
};

} // namespace

bool forEachDictionaryEntry(plist_t dictionary,
                            const std::function<bool(const char* key, plist_t value)>& visit) {
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(dictionary, &iterator);
    const std::unique_ptr<void, FreeDeleter> iteratorOwner(iterator);
    while (true) {
        char* rawKey = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dictionary, iterator, &rawKey, &value);
        const AllocatedText key(rawKey);
        if (!value) {
            return true;
        }
        if (!visit(key ? key.get() : nullptr, value)) {
            return false;
        }
    }
}

NodePtr toNode(const StoredDictionary& dictionary, const WriteRules& rules) {
    return Writer(rules).make(dictionary);
}

std::optional<StoredDictionary> fromNode(plist_t dictionary, const ReadRules& rules) {
    if (plist_get_node_type(dictionary) != PLIST_DICT) {
        return std::nullopt;
    }
    return Reader(rules).dictionary(dictionary, 0);
}

} // namespace zendra::Prefs::PlistNodes
