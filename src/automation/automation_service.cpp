#include "automation/automation_service.h"

#include "automation/automation_bus.h"
#include "automation/bus_message_size.h"
#include "automation/text_intents.h"
#include "prefs/observe.h"
#include "prefs/prefs.h"
#include "settings/text/text_keys.h"
#include "zendra_adaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <iostream>

namespace zendra {

namespace {

// A call whose reply is sent once its intent completes.
class PendingReply {
public:
    PendingReply(const QDBusMessage& call, QDBusConnection bus) : call_(call), bus_(std::move(bus)) {}

    void answer(const QVariantList& results) {
        QDBusMessage reply = call_.createReply(results);
        bus_.send(reply);
    }
    void fail(IntentResponseCode code, const std::optional<QString>& reason) {
        const bool unavailable = code == IntentResponseCode::failureRequiringAppLaunch;
        const QString message = reason.value_or(
            QCoreApplication::translate("zendra::automation", "the request ended with response code %1")
                .arg(rawValue(code)));
        bus_.send(call_.createErrorReply(
            QString::fromLatin1(unavailable ? automation_bus::unavailableError : automation_bus::failedError),
            message));
    }

private:
    QDBusMessage call_;
    QDBusConnection bus_;
};

void announceText(const QDBusConnection& bus, const QString& text) {
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(automation_bus::objectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(automation_bus::interfaceName)
           << QVariantMap{{QString::fromLatin1(automation_bus::textProperty), text}} << QStringList();
    bus.send(signal);
}

} // namespace

AutomationService::AutomationService(AutomationActions actions, QObject* parent)
    : QObject(parent), actions_(std::move(actions)) {
    // Owned by this object, as Qt's adaptors are.
    new ZendraAdaptor(this);
}

AutomationService::~AutomationService() {
    withdraw();
}

bool AutomationService::exportOn(QDBusConnection connection) {
    if (!connection.registerObject(QString::fromLatin1(automation_bus::objectPath), this,
                                   QDBusConnection::ExportAdaptors)) {
        std::cerr << "zendra: cannot offer automation on the session bus: " << automation_bus::objectPath
                  << " is taken\n";
        return false;
    }
    keepReadingMessagesOfAnySize(connection);
    exportedOn_ = connection;
    // Changes arrive on the thread that made them, each once and in order; sending is thread-safe.
    textObservation_ =
        Prefs::observe(Settings::text(), {}, [connection](const Prefs::KeyChange<QString>& change) {
            if (change.newValue != change.oldValue) {
                announceText(connection, change.newValue);
            }
        });
    return true;
}

void AutomationService::withdraw() {
    textObservation_.reset();
    if (!exportedOn_) {
        return;
    }
    const QString name = QString::fromLatin1(automation_bus::serviceName);
    if (QDBusConnectionInterface* bus = exportedOn_->interface();
        bus && bus->serviceOwner(name).value() == exportedOn_->baseService()) {
        bus->unregisterService(name);
    }
    exportedOn_->unregisterObject(QString::fromLatin1(automation_bus::objectPath));
    exportedOn_.reset();
}

QString AutomationService::text() const {
    return Prefs::get(Settings::text());
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

void AutomationService::SetText(const QString& text) {
    const SetTextIntent intent(text);
    std::unique_ptr<IntentHandler> handler;
    auto* handling = handlingFor<SetTextIntentHandling>(intent, handler);
    if (!handling) {
        return;
    }
    setDelayedReply(true);
    handling->handleSetText(
        intent, [reply = PendingReply(message(), connection())](SetTextIntentResponse response) mutable {
            if (response.code == IntentResponseCode::success) {
                reply.answer({});
            } else {
                reply.fail(response.code, response.failureReason);
            }
        });
}

QString AutomationService::GetText() {
    const GetTextIntent intent;
    std::unique_ptr<IntentHandler> handler;
    auto* handling = handlingFor<GetTextIntentHandling>(intent, handler);
    if (!handling) {
        return {};
    }
    setDelayedReply(true);
    handling->handleGetText(
        intent, [reply = PendingReply(message(), connection())](GetTextIntentResponse response) mutable {
            if (response.code == IntentResponseCode::success) {
                reply.answer({response.result.value_or(QString())});
            } else {
                reply.fail(response.code, response.failureReason);
            }
        });
    return {};
}

void AutomationService::run(const std::function<void()>& action, const char* what) {
    if (action) {
        action();
    } else {
        sendErrorReply(QString::fromLatin1(automation_bus::unavailableError),
                       QStringLiteral("%1 is not available").arg(QLatin1String(what)));
    }
}

void AutomationService::change(const std::function<AutomationActions::Outcome()>& action, const char* what) {
    if (!action) {
        run(nullptr, what);
    } else if (const auto problem = action()) {
        sendErrorReply(QString::fromLatin1(automation_bus::failedError), *problem);
    }
}

void AutomationService::OpenUrl(const QString& url) {
    run(actions_.openUrl ? std::function<void()>([&] { actions_.openUrl(url); }) : nullptr, "opening URLs");
}

void AutomationService::SetTextFromService(const QString& text) {
    change(actions_.setTextService
               ? std::function<AutomationActions::Outcome()>([&] { return actions_.setTextService(text); })
               : nullptr,
           "the text service");
}

void AutomationService::performCalledAction() {
    const QString method = message().member();
    const UserActionEntry* entry = userActionForBusMethod(method);
    if (!entry || !actions_.perform) {
        run(nullptr, qPrintable(method));
        return;
    }
    change([&] { return actions_.perform(entry->action); }, entry->busMethod);
}

} // namespace zendra
