#pragma once

#include "prefs/file_io.h"
#include "prefs/suite.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>

namespace zendra::Prefs {

// A suite whose persistent domain lives in an XML property-list file.
//
// Writes change memory at once and reach the file shortly after: the first change after a flush opens
// a window of `flushDelay`, and everything changed meanwhile goes into one replacement of the file
// (temporary file, fsync, rename, fsync of the folder; mode 0600). The destructor and flush() write at
// once; so does a termination signal once installTerminationFlush() was called.
//
// Several processes may use the same file. Each flush takes an inter-process lock (flock on
// "<file>.lock"), re-reads the file and merges by name: names changed here since the last flush win
// (removals included); every other name takes the file's object. Changes found in the file, by a flush
// or by watching the folder (inotify; no polling), are delivered to observers as changes of those
// names, on the thread that found them: the suite's I/O thread, or the caller of flush() or reload().
// The suite's own writes are not reported back. A write that fails (say, a full disk) is reported once
// on standard error and retried by the next flush; the next change or the destructor brings one.
//
// A file that does not parse, whose root is not a dictionary, or that is larger than the reader takes,
// is never overwritten: it is moved aside as "<file>.corrupt-<UTC time>", one line on standard error
// says so, and the suite starts empty. A file that exists but cannot be read (permissions, an I/O
// error, not a regular file) is left where it is: the suite runs on its registered defaults, writes
// nothing while the file stays unreadable, and merges with it once it can be read. A file that could
// not be read back is never written. Without the lock file (say, a read-only folder) the file is still
// read, and the suite keeps changes in memory only. When the file cannot be used at all (say, the
// folder cannot be created), the suite works in memory only. Each of these says so on standard error.
class FileSuite final : public Suite {
public:
    struct Options {
        // How long a flush waits after the first change, to collect the ones that follow.
        std::chrono::milliseconds flushDelay{50};
        // How long the file must stay quiet after an outside change before it is read, so that an
        // editor writing in place is not caught halfway.
        std::chrono::milliseconds settleDelay{100};
        // Whether changes that other processes make to the file are followed (the folder watch). A
        // process that reads or writes a few names and ends has no use for it, and ends sooner without:
        // the kernel takes several milliseconds to tear a watch down.
        bool followOutsideChanges = true;
    };

    static std::shared_ptr<FileSuite> open(const QString& path, Options options);
    static std::shared_ptr<FileSuite> open(const QString& path) { return open(path, Options{}); }

    // Writes what is pending.
    ~FileSuite() override;

    const QString& path() const { return path_; }
    QString location() const override { return path_; }
    // False when the file could not be used and the suite keeps everything in memory only.
    bool isPersistent() const { return persistent_; }

    // Writes pending changes now, merging with the file. Returns whether the file holds them.
    bool flush();
    // Reads the file now and delivers what changed elsewhere (the I/O thread does this on its own when
    // the file changes).
    void reload();

    // How often this suite replaced its file, and how often a write woke the I/O thread.
    std::uint64_t fileReplacementCount() const { return replacements_.load(std::memory_order_relaxed); }
    std::uint64_t writeWakeCount() const { return writeWakes_.load(std::memory_order_relaxed); }

    // Opt-in, process-wide: on SIGTERM, SIGINT or SIGHUP every open FileSuite writes what is pending.
    // Then, without `afterFlush`, the signal takes its default effect (the process ends). With
    // `afterFlush`, that function is called instead, on a helper thread, with the signal number; a Qt
    // application passes one that queues QCoreApplication::quit() so that it ends cleanly:
    //
    //   Prefs::FileSuite::installTerminationFlush([](int) {
    //       QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    //   });
    //
    // Replaces any handler installed for those signals. Calling it again replaces `afterFlush`.
    static void installTerminationFlush(std::function<void(int)> afterFlush = {});

protected:
    void persistentDomainDidChange(const QString& name) override;

private:
    struct PrivateTag {};

public:
    FileSuite(PrivateTag, const QString& path, Options options);

private:
    using NameSet = std::unordered_set<QString>;
    using Changes = std::map<QString, OptionalStoredObject>;

    void load();
    void applyInitial(StoredDictionary entries);
    void useMemoryOnly(const QString& reason);
    void startIoThread();
    void runIoThread();
    void watchFolder();
    bool handleWatchEvents();
    std::optional<StoredDictionary> readForMerge(const FileIo::ReadResult& read);
    Changes changesAgainstLastSynced(const StoredDictionary& file, const NameSet& localNames) const;
    NameSet changedHere(const StoredDictionary& memory) const;
    void dropRacedChanges(Changes& changes, const StoredDictionary& memoryBefore) const;
    void reportFailure(const QString& message);

    const QString path_;
    const std::string filePath_;
    const std::string folderPath_;
    const std::string fileName_;
    const std::string lockPath_;
    const Options options_;
    bool persistent_ = true;

    // Guards the file and what this suite knows about it.
    std::mutex fileMutex_;
    // The file's entries as last read or written by this suite; where memory differs, the name was
    // changed here since.
    StoredDictionary lastSynced_;
    std::optional<FileIo::FileIdentity> knownIdentity_;
    bool lastWriteFailed_ = false;
    bool failureReported_ = false;

    // Set by the first write after a flush; the flush clears it.
    std::atomic<bool> wakePending_{false};

    int wakeFd_ = -1;
    int inotifyFd_ = -1;
    int watchDescriptor_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread ioThread_;

    std::atomic<std::uint64_t> replacements_{0};
    std::atomic<std::uint64_t> writeWakes_{0};
};

} // namespace zendra::Prefs
