#include "login_launch/logging.h"

namespace LoginLaunch {

const QLoggingCategory& log() {
    static const QLoggingCategory category("org.zendra.LoginLaunch.main");
    return category;
}

} // namespace LoginLaunch
