#pragma once

// Calls the running application's automation interface, as the command-line client does. Every call
// blocks for at most the timeout and never starts the application through bus activation.

#include "actions/user_actions.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <chrono>

namespace zendra {

// What a call brought back: success with a value (the text for a read), or an error to show.
struct AutomationReply {
    bool ok = false;
    QString value;
    QString error;
    // The failure came from the bus, not from Zendra: no instance, or it went away without answering.
    bool unanswered = false;

    static AutomationReply success(QString value = {}) { return {true, std::move(value), {}, false}; }
    static AutomationReply failure(QString message) { return {false, {}, std::move(message), false}; }
    static AutomationReply noAnswer(QString message) { return {false, {}, std::move(message), true}; }
};

class AutomationClient {
public:
    explicit AutomationClient(QDBusConnection bus,
                              std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

    // Whether some process owns the application's name on this bus.
    bool isApplicationRunning() const;

    AutomationReply setText(const QString& text) const;
    AutomationReply text() const;
    AutomationReply openUrl(const QString& url) const;
    AutomationReply setTextFromService(const QString& text) const;
    // A user action with a method of its own (toggle the editor, clear, paste, the settings, quit).
    AutomationReply perform(UserAction action) const;

private:
    // The reply's arguments on success.
    AutomationReply call(const QString& method, const QVariantList& arguments,
                         QVariantList* results = nullptr) const;

    QDBusConnection bus_;
    std::chrono::milliseconds timeout_;
};

} // namespace zendra
