#pragma once

#include "prefs/serializable.h"
#include "prefs/standard_suite.h"
#include "prefs/suite.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

namespace zendra::Prefs {

// The untyped key: a name in a suite. Immutable; copies share the suite.
class Keys {
public:
    Keys(QString name, std::shared_ptr<Suite> suite) : name_(std::move(name)), suite_(std::move(suite)) {}

    const QString& name() const { return name_; }
    const std::shared_ptr<Suite>& suite() const { return suite_; }

    // Removes the persistent entry; reads then see the registered default, if any.
    void reset() const { suite_->removeObject(name_); }

    // Equal when the names are equal and the suites are the same suite, whatever the value types.
    bool operator==(const Keys& other) const { return name_ == other.name_ && suite_ == other.suite_; }

private:
    QString name_;
    std::shared_ptr<Suite> suite_;
};

// A typed key with its default. Constructing one registers the default in the suite's registration
// layer (unless the default is an empty optional or cannot be serialized).
template <Storable Value> class Key : public Keys {
public:
    using ValueType = Value;

    Key(QString name, Value defaultValue, std::shared_ptr<Suite> suite = standardSuite())
        : Keys(std::move(name), std::move(suite)), defaultValue_(std::move(defaultValue)) {
        if (auto stored = serialize(defaultValue_)) {
            this->suite()->registerDefaults({{this->name(), std::move(*stored)}});
        }
    }

    // A key of an optional type without a default: its default is the empty optional.
    explicit Key(QString name,
                 std::shared_ptr<Suite> suite = standardSuite()) requires IsOptional<Value>::value
        : Keys(std::move(name), std::move(suite)) {}

    const Value& defaultValue() const { return defaultValue_; }

private:
    Value defaultValue_{};
};

} // namespace zendra::Prefs

template <> struct std::hash<zendra::Prefs::Keys> {
    std::size_t operator()(const zendra::Prefs::Keys& key) const noexcept {
        std::size_t seed = qHash(key.name());
        return seed ^ (std::hash<const zendra::Prefs::Suite*>{}(key.suite().get()) + 0x9e3779b97f4a7c15ULL +
                       (seed << 6) + (seed >> 2));
    }
};
