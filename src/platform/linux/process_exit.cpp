#include "platform/linux/process_exit.h"

#include <QFile>
#include <QString>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace zendra::linux_process {

namespace {

// The process state letter from /proc/<pid>/stat (after the parenthesised command, which may hold
// spaces and parentheses itself); 0 when unreadable.
char processState(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray text = stat.read(4096);
    const auto close = text.lastIndexOf(')');
    if (close < 0 || close + 2 >= text.size()) {
        return 0;
    }
    return text.at(close + 2);
}

} // namespace

bool isProcessRunning(qint64 pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) {
        return false;
    }
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        return false;
    }
    const char state = processState(pid);
    return state != 0 && state != 'Z' && state != 'X';
}

bool waitForProcessExit(qint64 pid, int timeoutMs) {
    if (!isProcessRunning(pid)) {
        return true;
    }
#ifdef SYS_pidfd_open
    // A pidfd becomes readable when the process ends; nothing to poll by hand.
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (fd >= 0) {
        pollfd entry{fd, POLLIN, 0};
        int result = 0;
        do {
            result = ::poll(&entry, 1, timeoutMs);
        } while (result < 0 && errno == EINTR);
        ::close(fd);
        return result > 0 || !isProcessRunning(pid);
    }
#endif
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (isProcessRunning(pid)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace zendra::linux_process
