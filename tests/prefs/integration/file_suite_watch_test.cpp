#include "../preference_files.h"
#include "prefs/file_suite.h"
#include "support/wait_until.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <gtest/gtest.h>
#include <mutex>

namespace zendra::Prefs {
namespace {

using namespace std::chrono_literals;

// Collects the new objects delivered for one name, from whatever thread delivers them.
class Inbox {
public:
    Inbox(Suite& suite, const QString& name) : suite_(suite) {
        id_ = suite.addObserver(name, {}, [this](const SuiteChange& change) {
            std::lock_guard lock(mutex_);
            changes_.push_back(change);
            arrived_.notify_all();
        });
    }
    ~Inbox() { suite_.removeObserver(id_); }

    std::optional<SuiteChange> next(std::chrono::milliseconds within) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, within, [this] { return !changes_.empty(); })) {
            return std::nullopt;
        }
        auto change = changes_.front();
        changes_.pop_front();
        return change;
    }

private:
    Suite& suite_;
    Suite::ObserverId id_ = 0;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<SuiteChange> changes_;
};

class FileSuiteWatch : public testing::Test {
protected:
    QString path() const { return dir_.filePath("org.zendra.Zendra.plist"); }
    StoredDictionary fileEntries() const { return zendra::test::entriesOnDisk(path()); }

    QTemporaryDir dir_;
};

TEST_F(FileSuiteWatch, OutsideEditsReachObserversWithinASecond) {
    auto suite = FileSuite::open(path());
    suite->setObject("text", "start");
    ASSERT_TRUE(suite->flush());
    Inbox inbox(*suite, "text");

    zendra::test::replaceAtomically(path(), {{"text", "replaced"}});
    auto change = inbox.next(1000ms);
    ASSERT_TRUE(change) << "an atomic replacement was not noticed within a second";
    EXPECT_EQ(change->oldValue, StoredObject("start"));
    EXPECT_EQ(change->newValue, StoredObject("replaced"));

    zendra::test::writeInPlace(path(), PlistCodec::encode({{"text", "edited in place"}}));
    change = inbox.next(1000ms);
    ASSERT_TRUE(change) << "an edit in place was not noticed within a second";
    EXPECT_EQ(change->oldValue, StoredObject("replaced"));
    EXPECT_EQ(change->newValue, StoredObject("edited in place"));
}

TEST_F(FileSuiteWatch, AnotherWritersFlushArrivesButOwnWritesDoNot) {
    auto mine = FileSuite::open(path());
    auto theirs = FileSuite::open(path());
    Inbox inMine(*mine, "text");
    Inbox inTheirs(*theirs, "text");

    theirs->setObject("text", "from the other writer");
    auto own = inTheirs.next(0ms);
    ASSERT_TRUE(own) << "the writer's own observer hears the write at once";
    const auto change = inMine.next(1000ms);
    ASSERT_TRUE(change);
    EXPECT_FALSE(change->oldValue);
    EXPECT_EQ(change->newValue, StoredObject("from the other writer"));
    EXPECT_FALSE(inTheirs.next(300ms)) << "the writer's own flush came back as an outside change";
}

TEST_F(FileSuiteWatch, BurstOfWritesReplacesTheFileOnlyAFewTimes) {
    auto suite = FileSuite::open(path());
    constexpr int writes = 10'000;
    constexpr int names = 100;
    for (int i = 0; i < writes; ++i) {
        suite->setObject(QStringLiteral("n%1").arg(i % names), i);
    }
    StoredDictionary last;
    for (int n = 0; n < names; ++n) {
        last.emplace(QStringLiteral("n%1").arg(n), writes - names + n);
    }
    // The rename makes the file visible just before the suite counts the replacement: wait for both.
    zendra::test::waitUntil([&] { return fileEntries() == last && suite->fileReplacementCount() > 0; }, 2s);
    ASSERT_EQ(fileEntries(), last) << "the last values did not reach the file within two seconds";
    // Writing 10,000 values takes a few milliseconds; a slow machine may need a second window.
    EXPECT_GE(suite->fileReplacementCount(), 1u);
    EXPECT_LE(suite->fileReplacementCount(), 3u);
    EXPECT_LE(suite->writeWakeCount(), suite->fileReplacementCount() + 1);
}

} // namespace
} // namespace zendra::Prefs
