#pragma once

// Where the client commands send their work: the running instance over the session bus, or, when
// none runs, the preferences file directly (with the store's locking and atomic replacement).

#include "automation/automation_client.h"

#include <QString>
#include <memory>

namespace zendra {

class TextTarget {
public:
    virtual ~TextTarget() = default;
    virtual AutomationReply setText(const QString& text) = 0;
    // The stored text as the value; the empty string when none is stored.
    virtual AutomationReply text() = 0;
    // Stores the first trimmed line of `text`; nothing happens when it has none.
    virtual AutomationReply setTextFromService(const QString& text) = 0;
    // One of the user's actions without a text of its own; without the running instance, what the
    // action's table says (the preferences file clears the text; toggling the editor fails).
    virtual AutomationReply perform(UserAction action) = 0;
};

// Works on the standard suite's file; every write is on disk when the call returns.
class PreferencesFileTarget final : public TextTarget {
public:
    // Opens the file without following other processes' changes, unless the suite is open already.
    PreferencesFileTarget();
    AutomationReply setText(const QString& text) override;
    AutomationReply text() override;
    AutomationReply setTextFromService(const QString& text) override;
    AutomationReply perform(UserAction action) override;
};

// The running instance; when it goes away without answering (it quits while the call is under way),
// the preferences file does the work instead.
class RunningAppTarget final : public TextTarget {
public:
    explicit RunningAppTarget(AutomationClient client) : client_(std::move(client)) {}
    AutomationReply setText(const QString& text) override;
    AutomationReply text() override;
    AutomationReply setTextFromService(const QString& text) override;
    AutomationReply perform(UserAction action) override;

private:
    template <class Call, class Fallback> AutomationReply orFile(Call call, Fallback fallback);

    AutomationClient client_;
    std::unique_ptr<PreferencesFileTarget> file_;
};

// The running instance when one owns its name on the session bus, else the preferences file. For a
// command that does its one thing and ends: call it before anything else uses the preferences, since
// the file is then opened without following other processes' changes.
std::unique_ptr<TextTarget> textTargetForSession();

} // namespace zendra
