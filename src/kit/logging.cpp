#include "kit/logging.h"

namespace zendra::KZApp {

const QLoggingCategory& kitLog() {
    static const QLoggingCategory category("org.zendra.KZKit.main");
    return category;
}

} // namespace zendra::KZApp
