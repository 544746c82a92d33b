#include "support/process_handle.h"

#include "support/unique_fd.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace zendra::test {

namespace {

constexpr std::size_t maxExtraDescriptors = 8;

// What a child that failed before or at exec writes back through the error pipe.
struct ChildFailure {
    int stage; // 0: descriptors, 1: working directory, 2: exec
    int error;
};

ExitStatus statusFromWait(int raw) {
    if (WIFSIGNALED(raw)) {
        return ExitStatus{std::nullopt, WTERMSIG(raw)};
    }
    return ExitStatus{WEXITSTATUS(raw), std::nullopt};
}

std::string resolveProgram(const QString& program) {
    if (program.contains(QLatin1Char('/'))) {
        return QFile::encodeName(program).toStdString();
    }
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty()) {
        throw std::runtime_error("cannot run " + program.toStdString() + ": not found on PATH");
    }
    return QFile::encodeName(found).toStdString();
}

// The child's environment as "NAME=value" strings: ours with the requested changes.
std::vector<std::string> buildEnvironment(const EnvironmentChanges& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view text(*entry);
        const auto equals = text.find('=');
        const QByteArray name(text.data(),
                              static_cast<qsizetype>(equals == text.npos ? text.size() : equals));
        if (!changes.contains(name)) {
            result.emplace_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            result.push_back(name.toStdString() + '=' + value->toStdString());
        }
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

void writeFailureAndExit(int fd, int stage) {
    const ChildFailure failure{stage, errno};
    [[maybe_unused]] const auto written = ::write(fd, &failure, sizeof failure);
    ::_exit(127);
}

// Runs in the forked child: only async-signal-safe calls from here to exec.
[[noreturn]] void runChild(pid_t parent, const char* path, char* const* argv, char* const* envp,
                           const char* workingDirectory, const int* sources, int count, int errorFd) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int s = 1; s < NSIG; ++s) {
        sigaction(s, &defaults, nullptr); // fails harmlessly for SIGKILL, SIGSTOP and libc-internal ones
    }

    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) {
        ::_exit(127); // the parent died before the request above took effect
    }

    // Move every source above the target range first, so that no dup2 overwrites a later source.
    std::array<int, 3 + maxExtraDescriptors> moved{};
    for (int i = 0; i < count; ++i) {
        moved[i] = fcntl(sources[i], F_DUPFD_CLOEXEC, count);
        if (moved[i] < 0) {
            writeFailureAndExit(errorFd, 0);
        }
    }
    const int errorCopy = fcntl(errorFd, F_DUPFD_CLOEXEC, count);
    if (errorCopy < 0) {
        ::_exit(127);
    }
    for (int i = 0; i < count; ++i) {
        if (dup2(moved[i], i) < 0) {
            writeFailureAndExit(errorCopy, 0);
        }
    }
    // Close everything else except the error pipe, which closes itself on exec.
    if (errorCopy > count) {
        syscall(SYS_close_range, count, errorCopy - 1, 0);
    }
    syscall(SYS_close_range, errorCopy + 1, ~0U, 0);

    if (workingDirectory && chdir(workingDirectory) != 0) {
        writeFailureAndExit(errorCopy, 1);
    }
    execve(path, argv, envp);
    writeFailureAndExit(errorCopy, 2);
    ::_exit(127);
}

} // namespace

QString describe(const ExitStatus& status) {
    if (status.signal) {
        return QStringLiteral("signal %1 (%2)")
            .arg(*status.signal)
            .arg(QString::fromLocal8Bit(strsignal(*status.signal)));
    }
    return QStringLiteral("exit code %1").arg(status.exitCode.value_or(-1));
}

ProcessHandle::ProcessHandle(const SpawnRequest& request) {
    if (request.extraDescriptors.size() > maxExtraDescriptors) {
        throw std::runtime_error("ProcessHandle: too many extra descriptors");
    }
    const std::string path = resolveProgram(request.program);
    std::vector<std::string> args{path};
    for (const QString& argument : request.arguments) {
        args.push_back(argument.toLocal8Bit().toStdString());
    }
    std::vector<std::string> env = buildEnvironment(request.environment);
    const std::vector<char*> argv = pointersTo(args);
    const std::vector<char*> envp = pointersTo(env);
    const std::string workingDirectory = QFile::encodeName(request.workingDirectory).toStdString();

    UniqueFd devNull(::open("/dev/null", O_RDWR | O_CLOEXEC));
    if (!devNull.valid()) {
        throw std::runtime_error(std::string("cannot open /dev/null: ") + std::strerror(errno));
    }
    std::vector<int> sources{
        request.standardInput >= 0 ? request.standardInput : devNull.get(),
        request.standardOutput >= 0 ? request.standardOutput : devNull.get(),
        request.standardError >= 0 ? request.standardError : devNull.get(),
    };
    sources.insert(sources.end(), request.extraDescriptors.begin(), request.extraDescriptors.end());

    Pipe errorPipe = makePipe();
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    }
    if (pid == 0) {
        runChild(parent, path.c_str(), argv.data(), envp.data(),
                 workingDirectory.empty() ? nullptr : workingDirectory.c_str(), sources.data(),
                 static_cast<int>(sources.size()), errorPipe.write.get());
    }
    pid_ = pid;
    setpgid(pid, pid); // also from this side, so the group exists whoever runs first
    pidFd_ = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    errorPipe.write.reset();

    ChildFailure failure{};
    ssize_t n;
    do {
        n = ::read(errorPipe.read.get(), &failure, sizeof failure);
    } while (n < 0 && errno == EINTR);
    if (n == sizeof failure) {
        kill();
        if (pidFd_ >= 0) {
            ::close(pidFd_); // no destructor runs for a constructor that throws
        }
        static const char* const stages[] = {"cannot set up descriptors for ",
                                             "cannot enter working directory for ", "cannot execute "};
        throw std::runtime_error(std::string(stages[failure.stage]) + path + ": " +
                                 std::strerror(failure.error));
    }
}

ProcessHandle::~ProcessHandle() {
    kill();
    if (pidFd_ >= 0) {
        ::close(pidFd_);
    }
}

bool ProcessHandle::sendSignal(int signal) {
    return !status_ && ::kill(pid_, signal) == 0;
}

std::optional<ExitStatus> ProcessHandle::poll() {
    if (!status_) {
        int raw = 0;
        pid_t r;
        do {
            r = waitpid(pid_, &raw, WNOHANG);
        } while (r < 0 && errno == EINTR);
        if (r == pid_) {
            status_ = statusFromWait(raw);
        } else if (r < 0) {
            status_ = ExitStatus{}; // reaped elsewhere (SIGCHLD ignored); nothing is known
        }
    }
    return status_;
}

std::optional<ExitStatus> ProcessHandle::wait(std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    while (!poll()) {
        const auto remaining = deadline.remainingTime();
        if (remaining <= 0) {
            return std::nullopt;
        }
        if (pidFd_ >= 0) {
            pollfd request{pidFd_, POLLIN, 0};
            ::poll(&request, 1, static_cast<int>(remaining));
        } else {
            // Kernels without pidfd: check again shortly.
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(remaining, 5)));
        }
    }
    return status_;
}

ExitStatus ProcessHandle::stop(std::chrono::milliseconds grace) {
    if (!poll()) {
        sendSignal(SIGTERM);
        wait(grace);
    }
    return kill();
}

ExitStatus ProcessHandle::kill() {
    killGroup();
    while (!poll()) {
        int raw = 0;
        const pid_t r = waitpid(pid_, &raw, 0);
        if (r == pid_) {
            status_ = statusFromWait(raw);
        } else if (r < 0 && errno != EINTR) {
            status_ = ExitStatus{};
        }
    }
    return *status_;
}

void ProcessHandle::killGroup() {
    // Also after the child was reaped: its group can still hold grandchildren.
    ::kill(-pid_, SIGKILL);
    if (!status_) {
        ::kill(pid_, SIGKILL); // in case it had not yet made its group when this runs
    }
}

} // namespace zendra::test
