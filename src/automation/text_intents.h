#pragma once

// The two automation requests on the panel text, their responses and the objects that handle them.

#include "automation/intent.h"
#include "automation/intent_response_code.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace zendra {

// What a response may hand back to the caller to continue with; nothing here produces one.
using UserActivity = QVariantMap;

class SetTextIntent : public Intent {
public:
    SetTextIntent() = default;
    explicit SetTextIntent(std::optional<QString> value) : text(std::move(value)) {}

    std::optional<QString> text;
};

class GetTextIntent : public Intent {};

class SetTextIntentResponse {
public:
    SetTextIntentResponse() = default;
    SetTextIntentResponse(IntentResponseCode responseCode, std::optional<UserActivity> activity)
        : code(responseCode), userActivity(std::move(activity)) {}

    IntentResponseCode code = IntentResponseCode::unspecified;
    std::optional<UserActivity> userActivity;
    // With `failure`: why, in words for the caller.
    std::optional<QString> failureReason;
};

class GetTextIntentResponse {
public:
    GetTextIntentResponse() = default;
    GetTextIntentResponse(IntentResponseCode responseCode, std::optional<UserActivity> activity)
        : code(responseCode), userActivity(std::move(activity)) {}

    IntentResponseCode code = IntentResponseCode::unspecified;
    std::optional<QString> result;
    std::optional<UserActivity> userActivity;
    // With a failure code: why, in a sentence for the caller.
    std::optional<QString> failureReason;
};

class SetTextIntentHandling {
public:
    virtual ~SetTextIntentHandling() = default;
    // Returns at once; `completion` is called exactly once, on the main thread.
    virtual void handleSetText(SetTextIntent intent,
                               std::function<void(SetTextIntentResponse)> completion) = 0;
};

class GetTextIntentHandling {
public:
    virtual ~GetTextIntentHandling() = default;
    // Returns at once; `completion` is called exactly once, on the main thread.
    virtual void handleGetText(GetTextIntent intent,
                               std::function<void(GetTextIntentResponse)> completion) = 0;
};

// Stores the intent's text unchanged (the empty string when it has none) and writes the preferences
// file at once: success once the file holds it, failure with the reason when it cannot be saved. A
// text the panel cannot hold (too long, or holding U+0000) is refused: failure, with the reason.
class SetTextIntentHandler final : public IntentHandler, public SetTextIntentHandling {
public:
    void handleSetText(SetTextIntent intent, std::function<void(SetTextIntentResponse)> completion) override;
    // The work itself; main thread only. Static because a handler keeps no state and may be released
    // before the queued work runs.
    static SetTextIntentResponse handle(const SetTextIntent& intent);
};

// Answers success with the stored text (the empty string when none is stored).
class GetTextIntentHandler final : public IntentHandler, public GetTextIntentHandling {
public:
    void handleGetText(GetTextIntent intent, std::function<void(GetTextIntentResponse)> completion) override;
    static GetTextIntentResponse handle(const GetTextIntent& intent);
};

// Routes both intents to a fresh handler each.
void registerAutomationIntents(IntentRoutes& routes);

} // namespace zendra
