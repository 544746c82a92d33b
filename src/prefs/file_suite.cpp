#include "prefs/file_suite.h"

#include "prefs/file_lock.h"
#include "prefs/file_termination.h"
#include "prefs/logging.h"
#include "prefs/plist_codec.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace zendra::Prefs {

namespace {

constexpr unsigned fileMode = 0600;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void printLine(const QString& line) {
    qCWarning(prefsLog).noquote() << line;
}

} // namespace

std::shared_ptr<FileSuite> FileSuite::open(const QString& path, Options options) {
    auto suite = std::make_shared<FileSuite>(PrivateTag{}, path, options);
    suite->load();
    if (suite->persistent_) {
        suite->startIoThread();
    }
    TerminationFlush::add(suite);
    return suite;
}

FileSuite::FileSuite(PrivateTag, const QString& path, Options options)
    : path_(path), filePath_(QFile::encodeName(path).toStdString()), folderPath_(folderOf(filePath_)),
      fileName_(nameOf(filePath_)), lockPath_(filePath_ + ".lock"), options_(options) {}

FileSuite::~FileSuite() {
    if (ioThread_.joinable()) {
        stopping_.store(true);
        const std::uint64_t one = 1;
        if (::write(wakeFd_, &one, sizeof one) < 0) {
            // The thread also stops at its next wake-up; nothing else to do.
        }
        ioThread_.join();
    }
    flush();
    for (int fd : {wakeFd_, inotifyFd_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void FileSuite::useMemoryOnly(const QString& reason) {
    persistent_ = false;
    printLine(QStringLiteral("cannot use the preferences file %1 (%2); settings are kept in memory only")
                  .arg(path_, reason));
}

void FileSuite::load() {
    if (auto error = FileIo::makeFolders(folderPath_)) {
        useMemoryOnly(*error);
        return;
    }
    QString error;
    auto lock = FileLock::acquire(lockPath_, &error);
    if (!lock) {
        // Without the lock (say, a read-only folder) the file is still read: it is only ever replaced
        // by a rename, so a read sees a whole file. Nothing is written, and a bad file stays where it is.
        const auto read = FileIo::readFile(filePath_);
        if (read.status == FileIo::ReadResult::Status::ok) {
            if (auto entries = PlistCodec::decode(read.bytes)) {
                applyInitial(std::move(*entries));
            }
        }
        useMemoryOnly(error);
        return;
    }
    FileIo::removeStaleTemporaries(filePath_);
    const auto read = FileIo::readFile(filePath_);
    std::optional<StoredDictionary> entries;
    if (read.status == FileIo::ReadResult::Status::missing) {
        entries.emplace();
    } else if (read.status == FileIo::ReadResult::Status::unavailable) {
        // Not the contents' fault: keep the file and write only once it can be read again.
        printLine(
            QStringLiteral("cannot read the preferences file (%1); running with the defaults and leaving "
                           "the file as it is until it can be read")
                .arg(read.error));
        entries.emplace();
    } else {
        entries = readForMerge(read);
        if (!entries) {
            // The bad file could not be moved aside, so writing would destroy its only copy.
            useMemoryOnly(QStringLiteral("the file is unreadable and cannot be moved aside"));
            return;
        }
    }
    if (::access(folderPath_.c_str(), W_OK) != 0) {
        useMemoryOnly(FileIo::describeErrno(errno));
    }
    applyInitial(std::move(*entries));
    if (read.status == FileIo::ReadResult::Status::ok) {
        knownIdentity_ = FileIo::identityOf(filePath_);
    }
}

void FileSuite::applyInitial(StoredDictionary entries) {
    Changes initial;
    for (const auto& [name, object] : entries) {
        initial.emplace(name, object);
    }
    applyExternalChanges(initial);
    lastSynced_ = std::move(entries);
}

// Decodes what was read; a file that is unreadable or does not decode is moved aside and reads as
// empty. Nothing when it could not be moved aside.
std::optional<StoredDictionary> FileSuite::readForMerge(const FileIo::ReadResult& read) {
    QString problem = read.error;
    if (read.status == FileIo::ReadResult::Status::ok) {
        if (auto entries = PlistCodec::decode(read.bytes, &problem)) {
            return entries;
        }
    }
    QString error;
    const auto aside = FileIo::moveAside(filePath_, QDateTime::currentSecsSinceEpoch(), &error);
    if (!aside) {
        printLine(QStringLiteral("the preferences file %1 is unusable (%2) and could not be kept aside: %3")
                      .arg(path_, problem, error));
        return std::nullopt;
    }
    printLine(QStringLiteral(
                  "the preferences file %1 is unusable (%2); kept it as %3 and started with empty settings")
                  .arg(path_, problem, QString::fromStdString(*aside)));
    return StoredDictionary{};
}

void FileSuite::persistentDomainDidChange(const QString&) {
    // The names are found at flush time by comparing memory with the file, so a write costs one load
    // here, and only the first write of a window wakes the I/O thread.
    if (!persistent_ || wakePending_.load(std::memory_order_relaxed)) {
        return;
    }
    if (!wakePending_.exchange(true)) {
        const std::uint64_t one = 1;
        if (::write(wakeFd_, &one, sizeof one) < 0) {
            wakePending_.store(false);
        }
    }
}

FileSuite::NameSet FileSuite::changedHere(const StoredDictionary& memory) const {
    NameSet names;
    for (const auto& [name, object] : memory) {
        const auto synced = lastSynced_.find(name);
        if (synced == lastSynced_.end() || !PlistCodec::sameStoredForm(object, synced->second)) {
            names.insert(name);
        }
    }
    for (const auto& [name, object] : lastSynced_) {
        if (!memory.contains(name)) {
            names.insert(name);
        }
    }
    return names;
}

void FileSuite::dropRacedChanges(Changes& changes, const StoredDictionary& memoryBefore) const {
    if (changes.empty()) {
        return;
    }
    const StoredDictionary memoryNow = persistentDomain();
    const auto lookup = [](const StoredDictionary& map, const QString& name) {
        const auto found = map.find(name);
        return found == map.end() ? OptionalStoredObject() : OptionalStoredObject(found->second);
    };
    std::erase_if(changes, [&](const auto& entry) {
        return !PlistCodec::sameStoredForm(lookup(memoryNow, entry.first), lookup(memoryBefore, entry.first));
    });
}

FileSuite::Changes FileSuite::changesAgainstLastSynced(const StoredDictionary& file,
                                                       const NameSet& localNames) const {
    Changes changes;
    const auto consider = [&](const QString& name) {
        if (localNames.contains(name) || changes.contains(name)) {
            return;
        }
        const auto inFile = file.find(name);
        const auto known = lastSynced_.find(name);
        const OptionalStoredObject fileObject =
            inFile == file.end() ? OptionalStoredObject() : OptionalStoredObject(inFile->second);
        const OptionalStoredObject knownObject =
            known == lastSynced_.end() ? OptionalStoredObject() : OptionalStoredObject(known->second);
        if (!PlistCodec::sameStoredForm(fileObject, knownObject)) {
            changes.emplace(name, fileObject);
        }
    };
    for (const auto& [name, object] : file) {
        consider(name);
    }
    for (const auto& [name, object] : lastSynced_) {
        consider(name);
    }
    return changes;
}

void FileSuite::reportFailure(const QString& message) {
    if (!failureReported_) {
        failureReported_ = true;
        printLine(QStringLiteral("cannot save the preferences file %1: %2").arg(path_, message));
    }
}

bool FileSuite::flush() {
    Changes external;
    StoredDictionary memory;
    bool ok = false;
    {
        std::lock_guard fileLock(fileMutex_);
        const bool pending = wakePending_.exchange(false);
        if (!persistent_) {
            return false;
        }
        if (!pending && !lastWriteFailed_) {
            return true;
        }
        memory = persistentDomain();
        const NameSet local = changedHere(memory);
        if (local.empty() && !lastWriteFailed_) {
            return true; // changed and changed back
        }
        QString error;
        if (auto folderError = FileIo::makeFolders(folderPath_)) {
            error = *folderError;
        }
        std::optional<FileLock> lock;
        if (error.isEmpty()) {
            lock = FileLock::acquire(lockPath_, &error);
        }
        if (!lock) {
            lastWriteFailed_ = true;
            reportFailure(error);
            return false;
        }
        const auto read = FileIo::readFile(filePath_);
        if (read.status == FileIo::ReadResult::Status::unavailable) {
            lastWriteFailed_ = true;
            reportFailure(QStringLiteral("%1; the file is left as it is").arg(read.error));
            return false;
        }
        std::optional<StoredDictionary> file;
        if (read.status == FileIo::ReadResult::Status::missing) {
            file.emplace();
        } else if (read.status == FileIo::ReadResult::Status::ok && read.identity == knownIdentity_) {
            file = lastSynced_; // unchanged since this suite last saw it
        } else if (read.status == FileIo::ReadResult::Status::ok) {
            file = PlistCodec::decode(read.bytes);
        }
        if (!file && readForMerge(read)) {
            // Kept aside; it tells nothing about other processes' changes.
            file = lastSynced_;
        }
        if (!file) {
            lastWriteFailed_ = true;
            reportFailure(QStringLiteral("the file is unreadable and cannot be moved aside"));
            return false;
        }
        external = changesAgainstLastSynced(*file, local);

        StoredDictionary contents = memory;
        for (const auto& [name, object] : external) {
            if (object) {
                contents.insert_or_assign(name, *object);
            } else {
                contents.erase(name);
            }
        }
        const QByteArray bytes = PlistCodec::encode(contents);
        FileIo::WriteResult written;
        QString refusal;
        if (bytes.size() > FileIo::maxFileSize || !PlistCodec::decode(bytes, &refusal)) {
            // A file the reader refuses would reset every setting at the next start.
            written.error = QStringLiteral("the settings would make a file that cannot be read back (%1)")
                                .arg(refusal.isEmpty() ? QStringLiteral("too large") : refusal);
        } else {
            written = FileIo::replaceAtomically(filePath_, bytes, fileMode);
        }
        if (written.ok) {
            replacements_.fetch_add(1, std::memory_order_relaxed);
            lastSynced_ = std::move(contents);
            knownIdentity_ = written.identity;
            lastWriteFailed_ = false;
            failureReported_ = false;
            ok = true;
        } else {
            // Memory still differs from the file where it changed here, so the next flush retries.
            lastSynced_ = std::move(*file);
            knownIdentity_ =
                read.status == FileIo::ReadResult::Status::ok ? std::optional(read.identity) : std::nullopt;
            lastWriteFailed_ = true;
            reportFailure(written.error);
        }
    }
    // A name written here while the file was merged keeps the newer local object. Observers may use
    // the suite again, so they run without the file mutex.
    dropRacedChanges(external, memory);
    applyExternalChanges(external);
    return ok;
}

void FileSuite::reload() {
    Changes external;
    StoredDictionary memory;
    {
        std::lock_guard fileLock(fileMutex_);
        if (!persistent_) {
            return;
        }
        const auto read = FileIo::readFile(filePath_);
        if (read.status == FileIo::ReadResult::Status::ok && read.identity == knownIdentity_) {
            return; // this suite's own write, or nothing new
        }
        std::optional<StoredDictionary> file;
        if (read.status == FileIo::ReadResult::Status::missing) {
            file.emplace();
        } else if (read.status == FileIo::ReadResult::Status::ok) {
            // A bad file is left alone here; it may be an edit in progress, and the next flush keeps it
            // aside if it is still bad then.
            file = PlistCodec::decode(read.bytes);
        }
        if (!file) {
            return;
        }
        memory = persistentDomain();
        external = changesAgainstLastSynced(*file, changedHere(memory));
        lastSynced_ = std::move(*file);
        knownIdentity_ =
            read.status == FileIo::ReadResult::Status::ok ? std::optional(read.identity) : std::nullopt;
    }
    dropRacedChanges(external, memory);
    applyExternalChanges(external);
}

void FileSuite::startIoThread() {
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (options_.followOutsideChanges) {
        inotifyFd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    }
    if (wakeFd_ < 0) {
        useMemoryOnly(FileIo::describeErrno(errno));
        return;
    }
    watchFolder();
    ioThread_ = std::thread([this] { runIoThread(); });
}

void FileSuite::watchFolder() {
    if (inotifyFd_ < 0 || watchDescriptor_ >= 0) {
        return;
    }
    watchDescriptor_ =
        ::inotify_add_watch(inotifyFd_, folderPath_.c_str(),
                            IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE |
                                IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
}

// Drains the inotify queue; true when an event concerns the file (or the folder went away).
bool FileSuite::handleWatchEvents() {
    alignas(inotify_event) char buffer[16 * 1024];
    bool relevant = false;
    while (true) {
        const ssize_t got = ::read(inotifyFd_, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        for (ssize_t offset = 0; offset < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                watchDescriptor_ = -1;
                relevant = true;
            } else if (event->len > 0 && fileName_ == event->name) {
                relevant = true;
            }
        }
    }
    return relevant;
}

void FileSuite::runIoThread() {
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> flushAt;
    std::optional<Clock::time_point> reloadAt;
    Clock::time_point firstOutsideEvent;
    while (!stopping_.load()) {
        int timeout = -1;
        const auto now = Clock::now();
        for (const auto& deadline : {flushAt, reloadAt}) {
            if (deadline) {
                const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*deadline - now).count();
                const int waitMs = static_cast<int>(std::max<std::int64_t>(0, wait));
                timeout = timeout < 0 ? waitMs : std::min(timeout, waitMs);
            }
        }
        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {inotifyFd_, POLLIN, 0}};
        const int ready = ::poll(fds, inotifyFd_ >= 0 ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR) {
            break;
        }
        const auto woke = Clock::now();
        if (fds[0].revents & POLLIN) {
            std::uint64_t count = 0;
            if (::read(wakeFd_, &count, sizeof count) > 0) {
                writeWakes_.fetch_add(1, std::memory_order_relaxed);
                if (!flushAt) {
                    flushAt = woke + options_.flushDelay;
                }
            }
        }
        if (inotifyFd_ >= 0 && (fds[1].revents & POLLIN) && handleWatchEvents()) {
            // Wait until the file has been quiet for a moment, but not for ever when it keeps changing.
            if (!reloadAt) {
                firstOutsideEvent = woke;
            }
            reloadAt = std::min(woke + options_.settleDelay, firstOutsideEvent + 4 * options_.settleDelay);
        }
        if (stopping_.load()) {
            break;
        }
        if (flushAt && woke >= *flushAt) {
            flushAt.reset();
            flush();
            watchFolder();
        }
        if (reloadAt && woke >= *reloadAt) {
            reloadAt.reset();
            reload();
            watchFolder();
        }
    }
}

} // namespace zendra::Prefs
