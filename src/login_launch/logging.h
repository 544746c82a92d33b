#pragma once

#include <QLoggingCategory>

namespace LoginLaunch {

const QLoggingCategory& log();

} // namespace LoginLaunch
