#pragma once

#include "support/process_handle.h"
#include "support/unique_fd.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

namespace zendra::test {

struct ChildProcessOptions {
    EnvironmentChanges environment; // on top of the test's own environment
    QString workingDirectory;       // empty: the test's
    QByteArray standardInput;       // what the child reads on stdin, then end of file
};

// Runs a program (the real zendra binary, a test helper, a shell) and keeps what it writes to stdout
// and stderr. The child never outlives the test: it is killed with SIGKILL, together with anything it
// started, when this object goes away, and by the kernel when the test process dies.
//
//     ChildProcess zendra(zendraBinary, {"--version"});
//     const auto status = zendra.waitForExit(5s);
//     ASSERT_TRUE(status);
//     EXPECT_EQ(status->exitCode, 0);
//     EXPECT_TRUE(zendra.standardOutput().startsWith("Zendra "));
//
// To wait while the test's own Qt event loop keeps running (the child talks to the test over D-Bus),
// use waitUntil([&] { return !child.isRunning(); }, timeout) instead of waitForExit.
class ChildProcess {
public:
    // Throws std::runtime_error when the program cannot be found or executed.
    explicit ChildProcess(const QString& program, const QStringList& arguments = {},
                          const ChildProcessOptions& options = {});

    pid_t pid() const { return process_.pid(); }
    bool isRunning() { return !process_.poll(); }
    // How it ended, or nothing while it runs.
    std::optional<ExitStatus> exitStatus() { return process_.poll(); }
    // Blocks until it ends (its status) or the timeout passes (nothing).
    std::optional<ExitStatus> waitForExit(std::chrono::milliseconds timeout);

    bool sendSignal(int signal) { return process_.sendSignal(signal); }
    // SIGTERM, then SIGKILL to everything it started if it has not ended within `grace`.
    ExitStatus terminate(std::chrono::milliseconds grace) { return process_.stop(grace); }
    ExitStatus kill() { return process_.kill(); }

    // Everything written so far.
    QByteArray standardOutput() const { return readCaptureFile(stdout_.get()); }
    QByteArray standardError() const { return readCaptureFile(stderr_.get()); }

private:
    UniqueFd stdin_;
    UniqueFd stdout_;
    UniqueFd stderr_;
    ProcessHandle process_;
};

} // namespace zendra::test
