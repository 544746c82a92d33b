#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace zendra::Prefs::FileIo {

// What tells one version of a file from another without reading it: a replaced file has a new inode,
// a file edited in place a new size or modification time. (Not the change time: a rename alters it.)
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

struct ReadResult {
    // `unavailable`: the file is there but cannot be read now (permissions, I/O error, not a regular
    // file); it says nothing about its contents. `oversized`: larger than any file this store writes.
    enum class Status { ok, missing, unavailable, oversized };
    Status status = Status::unavailable;
    QByteArray bytes;
    FileIdentity identity;
    QString error;
};

// Reads the whole file. A missing file is `missing`, not a failure. Never blocks on a FIFO or device.
ReadResult readFile(const std::string& path);

// The largest file readFile() accepts.
inline constexpr std::int64_t maxFileSize = 64 * 1024 * 1024;

std::optional<FileIdentity> identityOf(const std::string& path);

struct WriteResult {
    bool ok = false;
    FileIdentity identity; // of the file now at `path`
    QString error;
};

// Replaces `path` with `bytes` so that readers see either the old or the new file, also after a
// crash or power loss: a temporary file in the same folder, written and synced, renamed over `path`,
// then the folder synced. The new file has `mode`. On failure the old file is left as it was.
WriteResult replaceAtomically(const std::string& path, const QByteArray& bytes, unsigned mode);

// Creates `path` and its missing parents with mode 0700. Returns an error description on failure.
std::optional<QString> makeFolders(const std::string& path);

// Removes temporary files that replaceAtomically() left behind for `path` (a writer killed mid-write).
// Call only while holding the file's lock.
void removeStaleTemporaries(const std::string& path);

// Moves `path` aside to `path` + ".corrupt-<UTC timestamp>" (with a counter if taken). Returns the new
// name, or nothing with `error` set.
std::optional<std::string> moveAside(const std::string& path, std::int64_t unixSeconds, QString* error);

QString describeErrno(int error);

} // namespace zendra::Prefs::FileIo
