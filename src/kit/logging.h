#pragma once

#include <QLoggingCategory>

namespace zendra::KZApp {

const QLoggingCategory& kitLog();

} // namespace zendra::KZApp
