#include "prefs/file_termination.h"

#include "prefs/file_suite.h"

#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zendra::Prefs {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::weak_ptr<FileSuite>> suites;
    std::function<void(int)> afterFlush;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

// Written by the signal handler, read by the helper thread. Plain ints: the handler may only use
// async-signal-safe operations.
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (::write(signalPipe[1], &byte, 1) < 0) {
        // A full pipe already holds a pending request.
    }
    errno = savedErrno;
}

void runSignalThread() {
    while (true) {
        unsigned char byte = 0;
        const ssize_t got = ::read(signalPipe[0], &byte, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return;
        }
        const int signal = byte;
        TerminationFlush::flushAll();
        std::function<void(int)> afterFlush;
        {
            std::lock_guard lock(registry().mutex);
            afterFlush = registry().afterFlush;
        }
        if (afterFlush) {
            afterFlush(signal);
        } else {
            std::signal(signal, SIG_DFL);
            std::raise(signal);
        }
    }
}

} // namespace

namespace TerminationFlush {

void add(const std::shared_ptr<FileSuite>& suite) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase_if(r.suites, [](const auto& weak) { return weak.expired(); });
    r.suites.push_back(suite);
}

void flushAll() {
    std::vector<std::weak_ptr<FileSuite>> suites;
    {
        std::lock_guard lock(registry().mutex);
        suites = registry().suites;
    }
    for (const auto& weak : suites) {
        if (auto suite = weak.lock()) {
            suite->flush();
        }
    }
}

} // namespace TerminationFlush

void FileSuite::installTerminationFlush(std::function<void(int)> afterFlush) {
    {
        std::lock_guard lock(registry().mutex);
        registry().afterFlush = std::move(afterFlush);
    }
    static std::once_flag once;
    std::call_once(once, [] {
        if (::pipe2(signalPipe, O_CLOEXEC) != 0) {
            return;
        }
        ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
        std::thread(runSignalThread).detach();
        struct sigaction action {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            ::sigaction(signal, &action, nullptr);
        }
    });
}

} // namespace zendra::Prefs
