#include "automation/automation_service.h"

#include "automation/automation_bus.h"
#include "automation/text_intents.h"
#include "zendra_adaptor.h"

#include <QDBusMessage>
#include <iostream>

namespace zendra {

AutomationService::AutomationService(AutomationActions actions, QObject* parent)
    : QObject(parent), actions_(std::move(actions)) {
    // Owned by this object, as Qt's adaptors are.
    new ZendraAdaptor(this);
}

AutomationService::~AutomationService() {
    if (exportedOn_) {
        exportedOn_->unregisterObject(QString::fromLatin1(automation_bus::objectPath));
    }
}

bool AutomationService::exportOn(QDBusConnection connection) {
    if (!connection.registerObject(QString::fromLatin1(automation_bus::objectPath), this,
                                   QDBusConnection::ExportAdaptors)) {
        std::cerr << "zendra: cannot offer automation on the session bus: " << automation_bus::objectPath
                  << " is taken\n";
        return false;
    }
    exportedOn_ = connection;
    return true;
}

template <class Handling, class IntentType>
Handling* AutomationService::handlingFor(const IntentType& intent, std::unique_ptr<IntentHandler>& keep) {
    keep = actions_.handlerFor ? actions_.handlerFor(intent) : nullptr;
    auto* handling = dynamic_cast<Handling*>(keep.get());
    if (!handling) {
        sendErrorReply(QString::fromLatin1(automation_bus::unavailableError),
                       QStringLiteral("nothing handles this request"));
    }
    return handling;
}

int AutomationService::SetText(const QString& text) {
    const SetTextIntent intent(text);
    std::unique_ptr<IntentHandler> handler;
    auto* handling = handlingFor<SetTextIntentHandling>(intent, handler);
    if (!handling) {
        return 0;
    }
    setDelayedReply(true);
    handling->handleSetText(intent, [reply = message().createReply(),
                                     bus = connection()](SetTextIntentResponse response) mutable {
        reply << static_cast<int>(rawValue(response.code));
        bus.send(reply);
    });
    return 0;
}

int AutomationService::GetText(QString& result) {
    const GetTextIntent intent;
    std::unique_ptr<IntentHandler> handler;
    auto* handling = handlingFor<GetTextIntentHandling>(intent, handler);
    if (!handling) {
        return 0;
    }
    setDelayedReply(true);
    handling->handleGetText(intent, [reply = message().createReply(),
                                     bus = connection()](GetTextIntentResponse response) mutable {
        reply << static_cast<int>(rawValue(response.code)) << response.result.value_or(QString());
        bus.send(reply);
    });
    result.clear();
    return 0;
}

void AutomationService::run(const std::function<void()>& action, const char* what) {
    if (action) {
        action();
    } else {
        sendErrorReply(QString::fromLatin1(automation_bus::unavailableError),
                       QStringLiteral("%1 is not available").arg(QLatin1String(what)));
    }
}

void AutomationService::OpenUrl(const QString& url) {
    run(actions_.openUrl ? std::function<void()>([&] { actions_.openUrl(url); }) : nullptr, "opening URLs");
}

void AutomationService::SetTextFromService(const QString& text) {
    run(actions_.setTextService ? std::function<void()>([&] { actions_.setTextService(text); }) : nullptr,
        "the text service");
}

void AutomationService::ToggleEditor() {
    run(actions_.toggleEditor, "toggling the editor");
}

void AutomationService::Clear() {
    run(actions_.clearText, "clearing the text");
}

void AutomationService::Paste() {
    run(actions_.pasteText, "pasting");
}

void AutomationService::OpenSettings() {
    run(actions_.openSettings, "opening the settings");
}

} // namespace zendra
