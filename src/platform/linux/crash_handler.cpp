#include "platform/linux/crash_handler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <fcntl.h>
#include <string>
#include <time.h>
#include <unistd.h>

namespace zendra::linux_crash {

namespace {

constexpr std::array fatalSignals{SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr int maxFrames = 64;

// Set by the first fatal signal: a thread that faults meanwhile writes no second report.
std::atomic_flag handling = ATOMIC_FLAG_INIT;

// Prepared before any crash; the handler only reads them.
std::string reportPrefix; // "<folder>/<app>-"
std::string reportHeader; // "Application: ...\nVersion: ...\n"
// A stack of its own, so that a stack overflow can still be reported.
alignas(16) std::array<char, 64 * 1024> alternateStack;

void writeAll(int fd, const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd, text, length);
        if (written <= 0) {
            return;
        }
        text += written;
        length -= std::size_t(written);
    }
}

void writeText(int fd, const char* text) {
    writeAll(fd, text, std::strlen(text));
}

// Appends the decimal digits of `value` to `out` (which has room) and returns the new end.
char* appendNumber(char* out, unsigned long long value) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

const char* signalName(int signal) {
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGILL:
        return "SIGILL";
    case SIGFPE:
        return "SIGFPE";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "signal";
    }
}

void handleFatalSignal(int signal) {
    const int savedErrno = errno;
    // Whatever goes wrong from here on (a fault while writing, another fatal signal) takes the default
    // action instead of coming back here.
    for (const int fatal : fatalSignals) {
        ::signal(fatal, SIG_DFL);
    }
    char path[4096];
    if (!handling.test_and_set() && reportPrefix.size() + 64 < sizeof path) {
        char* end = path;
        std::memcpy(end, reportPrefix.data(), reportPrefix.size());
        end += reportPrefix.size();
        end = appendNumber(end, static_cast<unsigned long long>(::time(nullptr)));
        *end++ = '-';
        end = appendNumber(end, static_cast<unsigned long long>(::getpid()));
        std::memcpy(end, ".crash", sizeof ".crash"); // with the terminating zero
        // A new regular file only: never follows a link, never waits on a pipe.
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd >= 0) {
            writeAll(fd, reportHeader.data(), reportHeader.size());
            char number[24];
            writeText(fd, "Signal: ");
            writeAll(fd, number, std::size_t(appendNumber(number, unsigned(signal)) - number));
            writeText(fd, " (");
            writeText(fd, signalName(signal));
            writeText(fd, ")\nBacktrace:\n");
            void* frames[maxFrames];
            const int count = ::backtrace(frames, maxFrames);
            ::backtrace_symbols_fd(frames, count, fd);
            ::close(fd);
        }
    }
    errno = savedErrno;
    // The default action is back: raising again ends the process as the signal would.
    ::raise(signal);
}

} // namespace

QString crashReportsFolder(const QProcessEnvironment& environment) {
    QString state = environment.value(QStringLiteral("XDG_STATE_HOME"));
    if (state.isEmpty() || !QDir::isAbsolutePath(state)) {
        state = environment.value(QStringLiteral("HOME"), QDir::homePath()) + QLatin1String("/.local/state");
    }
    return QDir::cleanPath(state + QLatin1String("/zendra/crashes"));
}

void pruneCrashReports(const QString& folder, const QString& applicationName, int keep) {
    QDir reports(folder);
    const QFileInfoList found =
        reports.entryInfoList({applicationName + QLatin1String("-*.crash")}, QDir::Files | QDir::NoSymLinks,
                              QDir::Time); // newest first
    for (qsizetype i = keep; i < found.size(); ++i) {
        QFile::remove(found[i].filePath());
    }
}

bool installCrashHandler(const QString& folder, const QString& applicationName, const QString& version) {
    // A file in the folder's place, or a folder that cannot be written, gets no reports.
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir() ||
        ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
        return false;
    }
    // Room for the report of this process: a crash at every start never holds more than the cap.
    pruneCrashReports(folder, applicationName, maxCrashReports - 1);
    reportPrefix = QDir(folder).filePath(applicationName + u'-').toStdString();
    reportHeader =
        (QLatin1String("Application: ") + applicationName + QLatin1String("\nVersion: ") + version + u'\n')
            .toStdString();
    // The first backtrace() loads the unwinder, which allocates: do it now, not in the handler.
    void* frame[1];
    ::backtrace(frame, 1);

    stack_t stack{};
    stack.ss_sp = alternateStack.data();
    stack.ss_size = alternateStack.size();
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_handler = &handleFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK | SA_NODEFER;
    for (const int signal : fatalSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    return true;
}

} // namespace zendra::linux_crash
