#include "app/app_automation.h"

#include "app/app_delegate.h"
#include "app/app_state.h"
#include "automation/saved_settings.h"

namespace zendra {

AutomationActions applicationAutomationActions(std::function<AppDelegate*()> delegate) {
    AutomationActions actions;
    actions.handlerFor = [delegate](const Intent& intent) -> std::unique_ptr<IntentHandler> {
        AppDelegate* appDelegate = delegate();
        return appDelegate ? appDelegate->handlerFor(intent) : nullptr;
    };
    actions.openUrl = [delegate](const QString& url) {
        if (AppDelegate* appDelegate = delegate()) {
            appDelegate->openUrls({url});
        }
    };
    // Like SetText, the text changes answer once the preferences file holds them.
    actions.setTextService = [](const std::optional<QString>& text) {
        AppState::shared().setTextService(text);
        return saveSettingsNow();
    };
    actions.perform = [](UserAction action) { return AppState::shared().perform(action, ActionSource::bus); };
    return actions;
}

} // namespace zendra
