#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <map>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace zendra::test {

// How a child ended: exactly one of the two is set.
struct ExitStatus {
    std::optional<int> exitCode; // it returned from main or called exit()
    std::optional<int> signal;   // a signal ended it
};

// "exit code 3" or "signal 9 (Killed)", for failure messages.
QString describe(const ExitStatus& status);

// Variables to set in a child's environment, or (no value) to remove from it, on top of ours.
using EnvironmentChanges = std::map<QByteArray, std::optional<QByteArray>>;

struct SpawnRequest {
    QString program; // looked up on PATH when it has no slash
    QStringList arguments;
    EnvironmentChanges environment;
    QString workingDirectory; // empty: ours
    // Descriptors of ours that the child gets as its standard streams; -1 gives it /dev/null.
    int standardInput = -1;
    int standardOutput = -1;
    int standardError = -1;
    // Descriptors of ours that the child gets as 3, 4, ... (at most 8). Nothing else is inherited.
    std::vector<int> extraDescriptors;
};

// One child process that cannot outlive its owner. The child leads a process group of its own, so the
// group is killed as one, and it is asked to be killed by the kernel when the thread that started it
// dies, which covers a test process killed with SIGKILL. (Start fixtures from a thread that lives as
// long as they do: the main thread.) Destruction kills the whole group with SIGKILL and reaps the child.
class ProcessHandle {
public:
    // Throws std::runtime_error when the program cannot be found or executed.
    explicit ProcessHandle(const SpawnRequest& request);
    ~ProcessHandle();
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    pid_t pid() const { return pid_; }

    // Sends `signal` to the child itself; false once it has been reaped.
    bool sendSignal(int signal);

    // How it ended, once it has; reaps it without blocking.
    std::optional<ExitStatus> poll();

    // Blocks until it ends or the timeout passes.
    std::optional<ExitStatus> wait(std::chrono::milliseconds timeout);

    // SIGTERM, up to `grace` for it to end, then SIGKILL to the group; always returns with it reaped.
    ExitStatus stop(std::chrono::milliseconds grace);

    // SIGKILL to the whole group, then reaps the child.
    ExitStatus kill();

private:
    void killGroup();

    pid_t pid_ = -1;
    int pidFd_ = -1;
    std::optional<ExitStatus> status_;
};

} // namespace zendra::test
