#pragma once

#include "prefs/suite.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

namespace zendra::KZApp {

// Command-line argument that a relaunched instance receives: "--relaunched-from=<process id>" names
// the instance that started it. That instance is still running when the new one starts and ends
// shortly after; the new instance waits for it to exit before it takes over shared state.
inline constexpr char relaunchedFromOption[] = "--relaunched-from=";

// The process operations a relaunch needs.
class ProcessControl {
public:
    using StartResult = std::variant<qint64, QString>; // the new process id, or why it did not start

    virtual ~ProcessControl() = default;
    // Starts `program` as a detached process. Returns only once the new process runs `program` (or
    // failed to), never before.
    virtual StartResult startDetached(const QString& program, const QStringList& arguments) = 0;
    virtual qint64 currentProcessId() = 0;
    // Ends this process at once with `status`.
    virtual void exitImmediately(int status) = 0;
    // Ends this process through the application's normal termination.
    virtual void terminate() = 0;
};

struct RelaunchOptions {
    bool exitImmediately = false;
    bool showSettings = false;
};

struct RelaunchResult {
    bool started = false;
    qint64 newProcessId = 0;
    QString error; // when not started
};

// What the new instance is started with: `program`, and `arguments` (without the program) where any
// earlier relaunched-from argument is replaced by one naming `currentProcessId`.
QStringList relaunchArguments(const QStringList& arguments, qint64 currentProcessId);

// The process named by a relaunched-from argument in `arguments`, if any names a valid process id.
std::optional<qint64> relaunchedFrom(const QStringList& arguments);

// Starts a new instance of `program` with `arguments` (without the program) and then ends this one.
// With showSettings the new instance opens the settings window ("KZ_isShowingSettingsAfterRelaunch").
// `persist` runs before the new instance starts, so that it reads what this one wrote. When the new
// instance cannot start, this one keeps running, the settings flag is withdrawn and the result says
// why.
RelaunchResult relaunch(RelaunchOptions options, ProcessControl& processes,
                        const std::shared_ptr<Prefs::Suite>& suite, const QString& program,
                        const QStringList& arguments, const std::function<void()>& persist = {});

} // namespace zendra::KZApp
