#pragma once

namespace zendra::KZApp {

// The platform's review prompt. The platform decides whether anything is shown.
class ReviewPrompt {
public:
    virtual ~ReviewPrompt() = default;
    virtual void requestReview() = 0;
};

// For platforms without a review prompt: logs one line and shows nothing.
class LoggedReviewPrompt final : public ReviewPrompt {
public:
    void requestReview() override;
};

} // namespace zendra::KZApp
