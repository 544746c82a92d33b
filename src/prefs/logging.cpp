#include "prefs/logging.h"

namespace zendra::Prefs {

const QLoggingCategory& prefsLog() {
    static const QLoggingCategory category("zendra.prefs");
    return category;
}

} // namespace zendra::Prefs
