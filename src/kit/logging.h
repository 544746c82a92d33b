#pragma once

#include <QLoggingCategory>

namespace KZApp {

const QLoggingCategory& kitLog();

} // namespace KZApp
