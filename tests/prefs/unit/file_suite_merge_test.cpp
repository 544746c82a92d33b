#include "../preference_files.h"
#include "prefs/file_suite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <mutex>

namespace zendra::Prefs {
namespace {

constexpr FileSuite::Options manual{std::chrono::hours(1), std::chrono::hours(1)};

struct Seen {
    QString name;
    OptionalStoredObject oldValue;
    OptionalStoredObject newValue;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
    const auto text = [](const OptionalStoredObject& o) {
        return o ? o->debugDescription().toStdString() : std::string("nothing");
    };
    *out << seen.name.toStdString() << ": " << text(seen.oldValue) << " -> " << text(seen.newValue);
}

// Records the non-prior changes of some names of a suite.
class Recorder {
public:
    Recorder(Suite& suite, std::initializer_list<QString> names) : suite_(suite) {
        for (const auto& name : names) {
            ids_.push_back(suite.addObserver(name, {}, [this, name](const SuiteChange& change) {
                std::lock_guard lock(mutex_);
                seen_.push_back({name, change.oldValue, change.newValue});
            }));
        }
    }
    ~Recorder() {
        for (auto id : ids_) {
            suite_.removeObserver(id);
        }
    }
    std::vector<Seen> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(seen_, {});
    }

private:
    Suite& suite_;
    std::vector<Suite::ObserverId> ids_;
    std::mutex mutex_;
    std::vector<Seen> seen_;
};

// Two suites on one file stand for two processes; each flush or reload is explicit.
class FileSuiteMerge : public testing::Test {
protected:
    QString path() const { return dir_.filePath("org.zendra.Zendra.plist"); }
    StoredDictionary fileEntries() const { return zendra::test::entriesOnDisk(path()); }
    void replaceFileWith(const StoredDictionary& entries) const {
        zendra::test::replaceAtomically(path(), entries);
    }

    QTemporaryDir dir_;
    std::shared_ptr<FileSuite> a_ = FileSuite::open(path(), manual);
    std::shared_ptr<FileSuite> b_ = FileSuite::open(path(), manual);
};

TEST_F(FileSuiteMerge, DifferentNamesFromTwoWritersAreAllKept) {
    Recorder inA(*a_, {"fromB"});
    Recorder inB(*b_, {"fromA"});
    a_->setObject("fromA", 1);
    b_->setObject("fromB", 2);
    ASSERT_TRUE(a_->flush());
    ASSERT_TRUE(b_->flush());
    EXPECT_EQ(fileEntries(), (StoredDictionary{{"fromA", 1}, {"fromB", 2}}));
    // B learnt A's name while merging; A learns B's when it looks at the file again.
    EXPECT_EQ(inB.take(), (std::vector<Seen>{{"fromA", std::nullopt, StoredObject(1)}}));
    EXPECT_EQ(b_->object("fromA"), StoredObject(1));
    a_->reload();
    EXPECT_EQ(inA.take(), (std::vector<Seen>{{"fromB", std::nullopt, StoredObject(2)}}));
}

TEST_F(FileSuiteMerge, NamesChangedHereWinIncludingRemovals) {
    a_->setObject("shared", "base");
    a_->setObject("doomed", "base");
    ASSERT_TRUE(a_->flush());
    b_->reload();

    a_->setObject("shared", "from A");
    a_->setObject("doomed", "kept by A");
    ASSERT_TRUE(a_->flush());
    b_->setObject("shared", "from B");
    b_->removeObject("doomed");
    Recorder inB(*b_, {"shared", "doomed"});
    ASSERT_TRUE(b_->flush());

    EXPECT_TRUE(inB.take().empty()) << "B's own names are not overwritten by the file";
    EXPECT_EQ(fileEntries(), (StoredDictionary{{"shared", "from B"}}));
    Recorder inA(*a_, {"shared", "doomed"});
    a_->reload();
    EXPECT_EQ(inA.take(), (std::vector<Seen>{{"doomed", StoredObject("kept by A"), std::nullopt},
                                             {"shared", StoredObject("from A"), StoredObject("from B")}}));
}

TEST_F(FileSuiteMerge, OwnWritesAreNotReportedBack) {
    Recorder inA(*a_, {"text"});
    a_->setObject("text", std::uint64_t{7}); // reads back from the file as a signed 7
    a_->setObject("ratio", std::numeric_limits<double>::quiet_NaN());
    ASSERT_TRUE(a_->flush());
    a_->reload();
    a_->setObject("other", 1);
    ASSERT_TRUE(a_->flush());
    EXPECT_EQ(inA.take(), (std::vector<Seen>{{"text", std::nullopt, StoredObject(std::uint64_t{7})}}));
}

TEST_F(FileSuiteMerge, OutsideEditsArriveWithOldAndNewObjectsAndRegisteredDefaults) {
    a_->registerDefaults({{"size", 13}});
    a_->setObject("text", "old");
    a_->setObject("size", 20);
    ASSERT_TRUE(a_->flush());
    Recorder inA(*a_, {"text", "size", "added"});

    replaceFileWith({{"text", "new"}, {"added", true}});
    a_->reload();
    EXPECT_EQ(inA.take(), (std::vector<Seen>{{"added", std::nullopt, StoredObject(true)},
                                             {"size", StoredObject(20), StoredObject(13)},
                                             {"text", StoredObject("old"), StoredObject("new")}}));
    a_->reload();
    EXPECT_TRUE(inA.take().empty()) << "an unchanged file delivers nothing";

    // A deleted file means every entry was removed.
    ASSERT_TRUE(QFile::remove(path()));
    a_->reload();
    EXPECT_EQ(inA.take(), (std::vector<Seen>{{"added", StoredObject(true), std::nullopt},
                                             {"text", StoredObject("new"), std::nullopt}}));
}

TEST_F(FileSuiteMerge, PendingLocalChangeBeatsAnOutsideEditSeenBeforeTheFlush) {
    a_->setObject("text", "on disk");
    ASSERT_TRUE(a_->flush());
    a_->setObject("text", "typed here");
    replaceFileWith({{"text", "edited outside"}, {"other", 1}});
    Recorder inA(*a_, {"text", "other"});
    a_->reload();
    EXPECT_EQ(inA.take(), (std::vector<Seen>{{"other", std::nullopt, StoredObject(1)}}));
    ASSERT_TRUE(a_->flush());
    EXPECT_EQ(fileEntries(), (StoredDictionary{{"text", "typed here"}, {"other", 1}}));
}

TEST_F(FileSuiteMerge, FileThatTurnsBadWhileRunningIsKeptAsideAtTheNextFlush) {
    a_->setObject("text", "good");
    ASSERT_TRUE(a_->flush());
    zendra::test::writeInPlace(path(), "<plist><dict><key>text</key>"); // an editor caught halfway
    Recorder inA(*a_, {"text"});
    a_->reload();
    EXPECT_TRUE(inA.take().empty()) << "a half-written file is not taken as the truth";
    EXPECT_EQ(a_->object("text"), StoredObject("good"));

    a_->setObject("more", 1);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(a_->flush());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(fileEntries(), (StoredDictionary{{"text", "good"}, {"more", 1}}));
    EXPECT_EQ(QDir(dir_.path()).entryList({"*.corrupt-*"}).size(), 1);
}

} // namespace
} // namespace zendra::Prefs
