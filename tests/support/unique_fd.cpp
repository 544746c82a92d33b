#include "support/unique_fd.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace zendra::test {

namespace {
[[noreturn]] void throwErrno(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}
} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        reset(std::exchange(other.fd_, -1));
    }
    return *this;
}

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

Pipe makePipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        throwErrno("pipe2");
    }
    return Pipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

UniqueFd makeCaptureFile(const char* name) {
    const int fd = ::memfd_create(name, MFD_CLOEXEC);
    if (fd < 0) {
        throwErrno("memfd_create");
    }
    return UniqueFd(fd);
}

QByteArray readCaptureFile(int fd) {
    QByteArray result;
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return result;
        }
        result.append(buffer, n);
        offset += n;
    }
}

std::optional<QByteArray> readLine(int fd, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    QByteArray line;
    for (;;) {
        pollfd request{fd, POLLIN, 0};
        const int ready = ::poll(&request, 1, static_cast<int>(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return std::nullopt;
        }
        char c;
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return std::nullopt;
        }
        if (c == '\n') {
            return line;
        }
        line.append(c);
    }
}

} // namespace zendra::test
