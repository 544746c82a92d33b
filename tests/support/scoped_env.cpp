#include "support/scoped_env.h"

#include <QtGlobal>

namespace zendra::test {

namespace {
void setOrRemove(const QByteArray& name, const std::optional<QByteArray>& value) {
    if (value) {
        qputenv(name.constData(), *value);
    } else {
        qunsetenv(name.constData());
    }
}
} // namespace

ScopedEnv::ScopedEnv(QByteArray name, const std::optional<QByteArray>& value) : name_(std::move(name)) {
    if (qEnvironmentVariableIsSet(name_.constData())) {
        saved_ = qgetenv(name_.constData());
    }
    setOrRemove(name_, value);
}

ScopedEnv::~ScopedEnv() {
    setOrRemove(name_, saved_);
}

} // namespace zendra::test
