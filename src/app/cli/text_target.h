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
    virtual AutomationReply clear() = 0;
    // These two need the running instance (its window, its clipboard): a failure without it.
    virtual AutomationReply toggleEditor() = 0;
    virtual AutomationReply paste() = 0;
};

class RunningAppTarget final : public TextTarget {
public:
    explicit RunningAppTarget(AutomationClient client) : client_(std::move(client)) {}
    AutomationReply setText(const QString& text) override { return client_.setText(text); }
    AutomationReply text() override { return client_.text(); }
    AutomationReply setTextFromService(const QString& text) override {
        return client_.setTextFromService(text);
    }
    AutomationReply clear() override { return client_.clear(); }
    AutomationReply toggleEditor() override { return client_.toggleEditor(); }
    AutomationReply paste() override { return client_.paste(); }

private:
    AutomationClient client_;
};

// Works on the standard suite's file; every write is on disk when the call returns.
class PreferencesFileTarget final : public TextTarget {
public:
    AutomationReply setText(const QString& text) override;
    AutomationReply text() override;
    AutomationReply setTextFromService(const QString& text) override;
    AutomationReply clear() override;
    AutomationReply toggleEditor() override;
    AutomationReply paste() override;
};

// The running instance when one owns its name on the session bus, else the preferences file. For a
// command that does its one thing and ends: call it before anything else uses the preferences, since
// the file is then opened without following other processes' changes.
std::unique_ptr<TextTarget> textTargetForSession();

} // namespace zendra
