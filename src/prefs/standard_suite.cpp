#include "prefs/standard_suite.h"

namespace Prefs {

std::shared_ptr<Suite> standardSuite() {
    // Replaced by the file-backed suite; in memory until then.
    static const std::shared_ptr<Suite> suite = Suite::makeInMemory();
    return suite;
}

} // namespace Prefs
