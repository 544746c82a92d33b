#include "prefs/file_io.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace zendra::Prefs::FileIo {

namespace {

constexpr std::string_view temporaryInfix = ".tmp-";

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a late write error surfaces here).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

FileIdentity identityFrom(const struct stat& st) {
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                        static_cast<std::int64_t>(st.st_size),
                        std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
}

QString failure(std::string_view what, const std::string& path, int error) {
    return QStringLiteral("%1 %2: %3")
        .arg(QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size())),
             QString::fromStdString(path), describeErrno(error));
}

std::pair<std::string, std::string> splitPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

QString describeErrno(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

ReadResult readFile(const std::string& path) {
    ReadResult result;
    // Non-blocking, so that opening a FIFO put in the file's place returns at once.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid()) {
        result.status = errno == ENOENT ? ReadResult::Status::missing : ReadResult::Status::unavailable;
        result.error = failure("cannot open", path, errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.error = failure("cannot examine", path, errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = QStringLiteral("%1 is not a regular file").arg(QString::fromStdString(path));
        return result;
    }
    if (st.st_size > maxFileSize) {
        result.status = ReadResult::Status::oversized;
        result.error =
            QStringLiteral("%1 is larger than %2 bytes").arg(QString::fromStdString(path)).arg(maxFileSize);
        return result;
    }
    result.identity = identityFrom(st);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = failure("cannot read", path, errno);
            return result;
        }
        if (got == 0) {
            break;
        }
        if (bytes.size() + got > maxFileSize) {
            result.status = ReadResult::Status::oversized;
            result.error = QStringLiteral("%1 is larger than %2 bytes")
                               .arg(QString::fromStdString(path))
                               .arg(maxFileSize);
            return result;
        }
        bytes.append(buffer, got);
    }
    result.bytes = std::move(bytes);
    result.status = ReadResult::Status::ok;
    return result;
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return identityFrom(st);
}

WriteResult replaceAtomically(const std::string& path, const QByteArray& bytes, unsigned mode) {
    WriteResult result;
    const auto [folder, name] = splitPath(path);
    std::string temporary = path + std::string(temporaryInfix) + "XXXXXX";
    Fd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid()) {
        result.error = failure("cannot create a temporary file in", folder, errno);
        return result;
    }
    const auto abandon = [&](std::string_view what) {
        result.error = failure(what, temporary, errno);
        ::unlink(temporary.c_str());
        return result;
    };
    if (::fchmod(fd.get(), mode) != 0) {
        return abandon("cannot set the mode of");
    }
    if (!writeAll(fd.get(), bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        return abandon("cannot write");
    }
    if (::fsync(fd.get()) != 0) {
        return abandon("cannot sync");
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        return abandon("cannot examine");
    }
    if (!fd.close()) {
        return abandon("cannot close");
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return abandon("cannot rename");
    }
    // The rename is durable only once the folder's entry is on disk.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) {
        ::fsync(dir.get());
    }
    result.ok = true;
    result.identity = identityFrom(st);
    return result;
}

std::optional<QString> makeFolders(const std::string& path) {
    if (path.empty()) {
        return QStringLiteral("empty folder path");
    }
    std::string partial;
    std::size_t position = 0;
    while (position != std::string::npos) {
        position = path.find('/', position + 1);
        partial = path.substr(0, position);
        if (partial.empty()) {
            continue;
        }
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            return failure("cannot create", partial, errno);
        }
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return QStringLiteral("%1 is not a folder").arg(QString::fromStdString(path));
    }
    return std::nullopt;
}

void removeStaleTemporaries(const std::string& path) {
    const auto [folder, name] = splitPath(path);
    const std::string prefix = name + std::string(temporaryInfix);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName(entry->d_name);
        if (entryName.size() == prefix.size() + 6 && entryName.starts_with(prefix)) {
            ::unlink((folder + "/" + std::string(entryName)).c_str());
        }
    }
    ::closedir(dir);
}

std::optional<std::string> moveAside(const std::string& path, std::int64_t unixSeconds, QString* error) {
    const std::time_t time = static_cast<std::time_t>(unixSeconds);
    std::tm utc{};
    ::gmtime_r(&time, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%S", &utc);
    const std::string base = path + ".corrupt-" + stamp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string target = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        // link() + unlink() instead of rename() so that an existing copy is never replaced.
        if (::link(path.c_str(), target.c_str()) == 0) {
            ::unlink(path.c_str());
            return target;
        }
        if (errno != EEXIST && ::access(target.c_str(), F_OK) != 0 && errno == ENOENT &&
            ::rename(path.c_str(), target.c_str()) == 0) {
            return target; // a file system without hard links
        }
        if (errno != EEXIST) {
            if (error) {
                *error = failure("cannot keep a copy of", path, errno);
            }
            return std::nullopt;
        }
    }
    if (error) {
        *error = QStringLiteral("too many kept copies of %1").arg(QString::fromStdString(path));
    }
    return std::nullopt;
}

} // namespace zendra::Prefs::FileIo
