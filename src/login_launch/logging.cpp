#include "login_launch/logging.h"

namespace zendra::LoginLaunch {

const QLoggingCategory& log() {
    static const QLoggingCategory category("org.zendra.LoginLaunch.main");
    return category;
}

} // namespace zendra::LoginLaunch
