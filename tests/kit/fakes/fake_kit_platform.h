#pragma once

#include "kit/modifier_flags.h"
#include "kit/relaunch.h"
#include "kit/review_prompt.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zendra::test {

// Keys held on a pretend keyboard; tests change them between the kit's reads.
class FakeKeyboardModifiers final : public KZApp::KeyboardModifiers {
public:
    explicit FakeKeyboardModifiers(KZApp::ModifierFlags held = 0) : flags(held) {}
    KZApp::ModifierFlags held() override {
        ++reads;
        return flags;
    }
    KZApp::ModifierFlags flags;
    int reads = 0;
};

class FakeReviewPrompt final : public KZApp::ReviewPrompt {
public:
    void requestReview() override { ++requests; }
    int requests = 0;
};

// Records what a relaunch asked for; `startError` makes the start fail.
class FakeProcessControl final : public KZApp::ProcessControl {
public:
    StartResult startDetached(const QString& program, const QStringList& arguments) override {
        startedProgram = program;
        startedArguments = arguments;
        if (onStart) {
            onStart();
        }
        if (!startError.isEmpty()) {
            return startError;
        }
        return qint64{4242};
    }
    qint64 currentProcessId() override { return 1234; }
    void exitImmediately(int status) override { exitStatus = status; }
    void terminate() override { ++terminations; }

    QString startError;
    std::function<void()> onStart;
    QString startedProgram;
    QStringList startedArguments;
    std::optional<int> exitStatus;
    int terminations = 0;
};

} // namespace zendra::test
