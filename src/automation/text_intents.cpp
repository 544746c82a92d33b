#include "automation/text_intents.h"

#include "automation/saved_settings.h"
#include "base/main_queue.h"
#include "prefs/prefs.h"
#include "settings/text/text_keys.h"
#include "settings/text/text_limits.h"

namespace zendra {

namespace {

// Keeps the intent and the completion until the work has run on the main thread, then answers once.
template <class Intent, class Response, class Work>
void bridge(Intent intent, std::function<void(Response)> completion, Work work) {
    dispatchToMain([intent = std::move(intent), completion = std::move(completion), work]() mutable {
        auto done = std::move(completion);
        done(work(intent));
    });
}

} // namespace

void SetTextIntentHandler::handleSetText(SetTextIntent intent,
                                         std::function<void(SetTextIntentResponse)> completion) {
    bridge(std::move(intent), std::move(completion), &SetTextIntentHandler::handle);
}

SetTextIntentResponse SetTextIntentHandler::handle(const SetTextIntent& intent) {
    const QString text = intent.text.value_or(QString());
    if (auto refusal = Settings::textRefusal(text)) {
        SetTextIntentResponse response(IntentResponseCode::failure, std::nullopt);
        response.failureReason = std::move(refusal);
        return response;
    }
    Prefs::set(Settings::text(), text);
    SetTextIntentResponse response(IntentResponseCode::success, std::nullopt);
    if (auto problem = saveSettingsNow()) {
        response.code = IntentResponseCode::failure;
        response.failureReason = std::move(problem);
    }
    return response;
}

void GetTextIntentHandler::handleGetText(GetTextIntent intent,
                                         std::function<void(GetTextIntentResponse)> completion) {
    bridge(std::move(intent), std::move(completion), &GetTextIntentHandler::handle);
}

GetTextIntentResponse GetTextIntentHandler::handle(const GetTextIntent&) {
    GetTextIntentResponse response(IntentResponseCode::success, std::nullopt);
    response.result = Prefs::get(Settings::text());
    return response;
}

void registerAutomationIntents(IntentRoutes& routes) {
    routes.add<SetTextIntent>([] { return std::make_unique<SetTextIntentHandler>(); });
    routes.add<GetTextIntent>([] { return std::make_unique<GetTextIntentHandler>(); });
}

} // namespace zendra
