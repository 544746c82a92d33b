#pragma once

#include <QString>
#include <optional>
#include <string>

namespace zendra::Prefs {

// An exclusive inter-process lock held through flock() on a lock file, for as long as the object
// lives. Processes that read-merge-write the same file take it around the whole sequence.
class FileLock {
public:
    // Blocks until the lock is held. Creates the lock file (mode 0600) when missing.
    static std::optional<FileLock> acquire(const std::string& lockPath, QString* error = nullptr);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

} // namespace zendra::Prefs
