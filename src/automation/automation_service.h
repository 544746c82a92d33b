#pragma once

// The application's automation interface on D-Bus: each method call runs the matching intent or
// action on the main thread. The text calls answer once their intent's completion has run; a failed
// intent answers with a D-Bus error carrying its reason. The Text property follows the stored text.

#include "actions/user_actions.h"
#include "automation/intent.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace zendra {

// The actions that change the text answer with nothing once the change is saved, or with why it was
// not; the caller then gets an error.
struct AutomationActions {
    using Outcome = std::optional<QString>;
    std::function<std::unique_ptr<IntentHandler>(const Intent&)> handlerFor;
    std::function<void(const QString& url)> openUrl;
    std::function<Outcome(const std::optional<QString>& text)> setTextService;
    // The user's actions that have a method of their own (ToggleEditor, Clear, ...).
    std::function<Outcome(UserAction)> perform;
};

class AutomationService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text)

public:
    explicit AutomationService(AutomationActions actions, QObject* parent = nullptr);
    // Withdraws from the bus.
    ~AutomationService() override;

    // Registers the object on `connection` (owning the service name is the caller's business) and
    // starts announcing text changes. False, with a line on standard error, when the path is taken.
    bool exportOn(QDBusConnection connection);
    // Releases the service name when this connection owns it, then unregisters the object: a caller
    // who still finds the name finds the object behind it.
    void withdraw();

    QString text() const;

public slots:
    // Called by the generated adaptor. The text calls reply later, with the handler's response.
    void SetText(const QString& text);
    QString GetText();
    void OpenUrl(const QString& url);
    void SetTextFromService(const QString& text);
    // The user's actions: each runs the action its method names in the actions' table.
    void ToggleEditor() { performCalledAction(); }
    void Clear() { performCalledAction(); }
    void Paste() { performCalledAction(); }
    void OpenSettings() { performCalledAction(); }
    void Quit() { performCalledAction(); }

private:
    template <class Handling, class IntentType>
    Handling* handlingFor(const IntentType& intent, std::unique_ptr<IntentHandler>& keep);
    void run(const std::function<void()>& action, const char* what);
    // Runs an action that changes the text; its failure becomes the caller's error.
    void change(const std::function<AutomationActions::Outcome()>& action, const char* what);
    // Runs the user action of the method being called.
    void performCalledAction();

    AutomationActions actions_;
    std::optional<QDBusConnection> exportedOn_;
    std::shared_ptr<void> textObservation_;
};

} // namespace zendra
