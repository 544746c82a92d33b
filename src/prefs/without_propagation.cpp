#include "prefs/without_propagation.h"

namespace zendra::Prefs {

namespace {
thread_local bool propagationSuppressed = false;
}

bool isPropagationSuppressed() noexcept {
    return propagationSuppressed;
}

void detail::setPropagationSuppressed(bool suppressed) noexcept {
    propagationSuppressed = suppressed;
}

} // namespace zendra::Prefs
