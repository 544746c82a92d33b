#pragma once

// The application's automation interface on D-Bus: each method call runs the matching intent or
// action on the main thread. The text calls answer once their intent's completion has run.

#include "automation/intent.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace zendra {

struct AutomationActions {
    std::function<std::unique_ptr<IntentHandler>(const Intent&)> handlerFor;
    std::function<void(const QString& url)> openUrl;
    std::function<void(const std::optional<QString>& text)> setTextService;
    std::function<void()> toggleEditor;
    std::function<void()> clearText;
    std::function<void()> pasteText;
    std::function<void()> openSettings;
};

class AutomationService final : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    explicit AutomationService(AutomationActions actions, QObject* parent = nullptr);
    ~AutomationService() override;

    // Registers the object on `connection` (owning the service name is the caller's business).
    // False, with a line on standard error, when the path is taken there.
    bool exportOn(QDBusConnection connection);

public slots:
    // Called by the generated adaptor; the returned values are placeholders, the reply is sent
    // later with the handler's response.
    int SetText(const QString& text);
    int GetText(QString& result);
    void OpenUrl(const QString& url);
    void SetTextFromService(const QString& text);
    void ToggleEditor();
    void Clear();
    void Paste();
    void OpenSettings();

private:
    template <class Handling, class IntentType>
    Handling* handlingFor(const IntentType& intent, std::unique_ptr<IntentHandler>& keep);
    void run(const std::function<void()>& action, const char* what);

    AutomationActions actions_;
    std::optional<QDBusConnection> exportedOn_;
};

} // namespace zendra
