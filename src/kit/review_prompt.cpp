#include "kit/review_prompt.h"

#include "kit/logging.h"

namespace zendra::KZApp {

void LoggedReviewPrompt::requestReview() {
    qCInfo(kitLog) << "Review requested; this platform has no review prompt to show";
}

} // namespace zendra::KZApp
