#include "prefs/stored_object.h"

#include <QStringList>
#include <cmath>
#include <limits>

namespace zendra::Prefs {

namespace {

template <class Integer> Integer saturatingFromDouble(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<Integer>::min())) {
        return std::numeric_limits<Integer>::min();
    }
    if (truncated >= static_cast<double>(std::numeric_limits<Integer>::max())) {
        return std::numeric_limits<Integer>::max();
    }
    return static_cast<Integer>(truncated);
}

} // namespace

bool Number::toBool() const {
    return std::visit([](auto v) { return v != 0; }, value);
}

std::int64_t Number::toInt64() const {
    return std::visit(
        [](auto v) -> std::int64_t {
            using V = decltype(v);
            if constexpr (std::is_same_v<V, double>) {
                return saturatingFromDouble<std::int64_t>(v);
            } else {
                return static_cast<std::int64_t>(v);
            }
        },
        value);
}

std::uint64_t Number::toUInt64() const {
    return std::visit(
        [](auto v) -> std::uint64_t {
            using V = decltype(v);
            if constexpr (std::is_same_v<V, double>) {
                return saturatingFromDouble<std::uint64_t>(v);
            } else {
                return static_cast<std::uint64_t>(v);
            }
        },
        value);
}

double Number::toDouble() const {
    return std::visit([](auto v) { return static_cast<double>(v); }, value);
}

bool StoredObject::operator==(const StoredObject& other) const {
    return value_ == other.value_;
}

QString StoredObject::debugDescription() const {
    return std::visit(
        [](const auto& v) -> QString {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, QString>) {
                return QStringLiteral("\"%1\"").arg(v);
            } else if constexpr (std::is_same_v<V, Number>) {
                return std::visit(
                    [](auto n) -> QString {
                        using N = decltype(n);
                        if constexpr (std::is_same_v<N, bool>) {
                            return n ? QStringLiteral("true") : QStringLiteral("false");
                        } else {
                            return QString::number(n);
                        }
                    },
                    v.value);
            } else if constexpr (std::is_same_v<V, QByteArray>) {
                return QStringLiteral("<%1>").arg(QString::fromLatin1(v.toHex()));
            } else if constexpr (std::is_same_v<V, QDateTime>) {
                return v.toString(Qt::ISODateWithMs);
            } else if constexpr (std::is_same_v<V, StoredArray>) {
                QStringList parts;
                for (const auto& element : v) {
                    parts << element.debugDescription();
                }
                return QStringLiteral("(%1)").arg(parts.join(QStringLiteral(", ")));
            } else {
                QStringList parts;
                for (const auto& [name, element] : v) {
                    parts << QStringLiteral("%1 = %2").arg(name, element.debugDescription());
                }
                return QStringLiteral("{%1}").arg(parts.join(QStringLiteral("; ")));
            }
        },
        value_);
}

} // namespace zendra::Prefs
