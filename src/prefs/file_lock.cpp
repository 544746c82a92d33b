#include "prefs/file_lock.h"

#include "prefs/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zendra::Prefs {

namespace {

QString failed(const char* what, const std::string& path, int error) {
    return QStringLiteral("cannot %1 %2: %3")
        .arg(QLatin1String(what), QString::fromStdString(path), FileIo::describeErrno(error));
}

// Whether `fd` is still the file at `path`; none, with errno set, when that cannot be told.
std::optional<bool> stillAtPath(int fd, const std::string& path) {
    struct stat held {};
    struct stat current {};
    if (::fstat(fd, &held) != 0) {
        return std::nullopt;
    }
    if (::stat(path.c_str(), &current) != 0) {
        return errno == ENOENT ? std::optional(false) : std::nullopt;
    }
    return held.st_dev == current.st_dev && held.st_ino == current.st_ino;
}

} // namespace

std::optional<FileLock> FileLock::acquire(const std::string& lockPath, QString* error) {
    for (;;) {
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (error) {
                *error = failed("open", lockPath, errno);
            }
            return std::nullopt;
        }
        int result = 0;
        while ((result = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        const auto current = result == 0 ? stillAtPath(fd, lockPath) : std::nullopt;
        if (current == true) {
            return FileLock(fd, lockPath);
        }
        const int reason = errno;
        ::close(fd);
        if (!current) {
            if (error) {
                *error = failed("lock", lockPath, reason);
            }
            return std::nullopt;
        }
        // The previous holder removed it meanwhile: take the one at the path now.
    }
}

FileLock::FileLock(FileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

FileLock::~FileLock() {
    release();
}

void FileLock::release() {
    if (fd_ < 0) {
        return;
    }
    // Removed while still held, so that no one can take the lock on a file that is about to go. Where
    // the folder does not allow it (read-only, the file made by someone else) the file stays; harmless.
    ::unlink(path_.c_str());
    ::close(fd_); // closing the last descriptor releases the flock
    fd_ = -1;
}

} // namespace zendra::Prefs
