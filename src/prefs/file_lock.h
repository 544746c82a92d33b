#pragma once

#include <QString>
#include <optional>
#include <string>
#include <utility>

namespace zendra::Prefs {

// An exclusive inter-process lock held through flock() on a lock file, for as long as the object
// lives. Processes that read-merge-write the same file take it around the whole sequence.
//
// The lock file exists only while someone holds the lock: the holder removes it before letting go,
// so none stays beside the preferences file. A process that opened the file just before it was
// removed finds, once it holds the lock, that the path no longer names that file, and starts over on
// the file now at the path; so the lock on a removed file never counts.
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
    FileLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    void release();

    int fd_ = -1;
    std::string path_;
};

} // namespace zendra::Prefs
