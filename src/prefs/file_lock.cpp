#include "prefs/file_lock.h"

#include "prefs/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace zendra::Prefs {

std::optional<FileLock> FileLock::acquire(const std::string& lockPath, QString* error) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (error) {
            *error = QStringLiteral("cannot open %1: %2")
                         .arg(QString::fromStdString(lockPath), FileIo::describeErrno(errno));
        }
        return std::nullopt;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            if (error) {
                *error = QStringLiteral("cannot lock %1: %2")
                             .arg(QString::fromStdString(lockPath), FileIo::describeErrno(errno));
            }
            ::close(fd);
            return std::nullopt;
        }
    }
    return FileLock(fd);
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // closing the last descriptor releases the flock
    }
}

} // namespace zendra::Prefs
