#pragma once

#include <QLoggingCategory>

namespace zendra::LoginLaunch {

const QLoggingCategory& log();

} // namespace zendra::LoginLaunch
