#include "kit/logging.h"

namespace KZApp {

const QLoggingCategory& kitLog() {
    static const QLoggingCategory category("org.zendra.KZKit.main");
    return category;
}

} // namespace KZApp
