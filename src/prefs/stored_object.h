#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <variant>
#include <vector>

namespace zendra::Prefs {

class StoredObject;
using StoredArray = std::vector<StoredObject>;
using StoredDictionary = std::map<QString, StoredObject>;

// A number as the store keeps it: boolean, signed, unsigned and floating kinds stay apart, so a value
// reads back with the kind it was written with.
struct Number {
    std::variant<bool, std::int64_t, std::uint64_t, double> value;

    bool operator==(const Number&) const = default;

    bool isBool() const { return std::holds_alternative<bool>(value); }
    bool isFloating() const { return std::holds_alternative<double>(value); }

    // The store's lenient conversions: any kind converts to any other. Floating to integer truncates
    // toward zero and saturates; a NaN becomes 0. Boolean: non-zero is true.
    bool toBool() const;
    std::int64_t toInt64() const;
    std::uint64_t toUInt64() const;
    double toDouble() const;
};

// What a suite holds under a name: one of the property-list kinds. Dates are kept in UTC with
// millisecond precision (what the property-list file keeps).
class StoredObject {
public:
    using Variant = std::variant<QString, Number, QByteArray, QDateTime, StoredArray, StoredDictionary>;

    StoredObject() : value_(QString()) {}
    StoredObject(QString string) : value_(std::move(string)) {}
    StoredObject(const char* utf8) : value_(QString::fromUtf8(utf8)) {}
    StoredObject(Number number) : value_(number) {}
    StoredObject(bool value) : value_(Number{value}) {}
    StoredObject(int value) : value_(Number{std::int64_t{value}}) {}
    StoredObject(std::int64_t value) : value_(Number{value}) {}
    StoredObject(std::uint64_t value) : value_(Number{value}) {}
    StoredObject(double value) : value_(Number{value}) {}
    StoredObject(QByteArray data) : value_(std::move(data)) {}
    StoredObject(QDateTime date) : value_(std::move(date)) {}
    StoredObject(StoredArray array) : value_(std::move(array)) {}
    StoredObject(StoredDictionary dictionary) : value_(std::move(dictionary)) {}

    const Variant& variant() const { return value_; }

    template <class T> bool is() const { return std::holds_alternative<T>(value_); }
    template <class T> const T* get() const { return std::get_if<T>(&value_); }

    const QString* string() const { return get<QString>(); }
    const Number* number() const { return get<Number>(); }
    const QByteArray* data() const { return get<QByteArray>(); }
    const QDateTime* date() const { return get<QDateTime>(); }
    const StoredArray* array() const { return get<StoredArray>(); }
    const StoredDictionary* dictionary() const { return get<StoredDictionary>(); }

    bool operator==(const StoredObject& other) const;

    // A short, human-readable form for diagnostics and tests.
    QString debugDescription() const;

private:
    Variant value_;
};

using OptionalStoredObject = std::optional<StoredObject>;

} // namespace zendra::Prefs
