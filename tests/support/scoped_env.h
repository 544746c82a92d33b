#pragma once

#include <QByteArray>
#include <optional>

namespace zendra::test {

// Sets (or, with no value, removes) one environment variable for its lifetime and then puts the
// previous state back. Nested overrides of one variable must end in the reverse order of their start.
class ScopedEnv {
public:
    ScopedEnv(QByteArray name, const std::optional<QByteArray>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QByteArray name_;
    std::optional<QByteArray> saved_;
};

} // namespace zendra::test
