#include "../preference_files.h"
#include "prefs/file_suite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zendra::Prefs {
namespace {

// The I/O thread never acts on its own here: every file operation is an explicit flush() or reload().
constexpr FileSuite::Options manual{std::chrono::hours(1), std::chrono::hours(1)};

class FileSuitePersistence : public testing::Test {
protected:
    QString folder() const { return dir_.filePath("nested/zendra"); }
    QString path() const { return folder() + "/org.zendra.Zendra.plist"; }

    std::shared_ptr<FileSuite> openSuite() { return FileSuite::open(path(), manual); }

    void writeFile(const QByteArray& bytes) const {
        QDir().mkpath(folder());
        zendra::test::writeInPlace(path(), bytes);
    }
    QStringList keptAside() const { return QDir(folder()).entryList({"*.plist.corrupt-*"}, QDir::Files); }
    static unsigned modeOf(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_mode & 0777;
    }

    template <class Action> static std::string stderrOf(Action action) {
        testing::internal::CaptureStderr();
        action();
        return testing::internal::GetCapturedStderr();
    }
    static long lineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

    QTemporaryDir dir_;
};

TEST_F(FileSuitePersistence, EntriesSurviveAReopenExactly) {
    const StoredDictionary entries{
        {"text", QString::fromUtf8("\xe2\x9c\x85 ship <it> & tell")},
        {"", "empty name"},
        {"flag", true},
        {"huge", std::numeric_limits<std::uint64_t>::max()},
        {"ratio", 0.30000000000000004},
        {"blob", QByteArray("\0\1\2", 3)},
        {"when", QDateTime::fromMSecsSinceEpoch(1'765'000'000'000, Qt::UTC)},
        {"nested", StoredArray{StoredDictionary{{"k", StoredArray{1, 2.5, "x"}}}}},
    };
    {
        auto suite = openSuite();
        ASSERT_TRUE(suite->isPersistent());
        suite->registerDefaults({{"onlyRegistered", 1}});
        for (const auto& [name, object] : entries) {
            suite->setObject(name, object);
        }
        suite->setObject("removedLater", 5);
        suite->removeObject("removedLater");
        EXPECT_TRUE(suite->flush());
        EXPECT_EQ(suite->fileReplacementCount(), 1u);
        EXPECT_TRUE(suite->flush()) << "nothing pending is still success";
        EXPECT_EQ(suite->fileReplacementCount(), 1u) << "nothing pending writes nothing";
    }
    EXPECT_EQ(modeOf(path()), 0600u);
    EXPECT_EQ(modeOf(folder()), 0700u);
    auto reopened = openSuite();
    EXPECT_EQ(reopened->persistentDomain(), entries);
    EXPECT_FALSE(reopened->object("onlyRegistered")) << "registered defaults are never written";
}

TEST_F(FileSuitePersistence, DestructionWritesWhatIsPending) {
    openSuite()->setObject("text", "written just before the end");
    EXPECT_EQ(openSuite()->object("text"), StoredObject("written just before the end"));
    {
        auto suite = openSuite();
        suite->removeObject("text");
    }
    EXPECT_FALSE(openSuite()->object("text"));
}

TEST_F(FileSuitePersistence, BadFilesAreKeptAsideAndTheSuiteStartsEmpty) {
    writeFile(QByteArray());
    EXPECT_TRUE(openSuite()->persistentDomain().empty());
    EXPECT_TRUE(keptAside().isEmpty()) << "an empty file is an empty store, not a bad one";

    const QByteArray bad[] = {
        "<?xml version=\"1.0\"?><plist><dict><key>text</key><string>cut off",
        "\x89PNG not a property list at all",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a</string></array></plist>",
    };
    for (const auto& bytes : bad) {
        QDir(folder()).removeRecursively();
        writeFile(bytes);
        std::shared_ptr<FileSuite> suite;
        const std::string stderrText = stderrOf([&] { suite = openSuite(); });
        EXPECT_TRUE(suite->persistentDomain().empty());
        const auto aside = keptAside();
        ASSERT_EQ(aside.size(), 1) << bytes.toStdString();
        QFile kept(folder() + "/" + aside.front());
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), bytes) << "the copy is the original, byte for byte";
        EXPECT_NE(stderrText.find(aside.front().toStdString()), std::string::npos) << stderrText;
        EXPECT_EQ(lineCount(stderrText), 1) << stderrText;

        suite->setObject("text", "fresh");
        EXPECT_TRUE(suite->flush());
        EXPECT_EQ(keptAside().size(), 1) << "the kept copy is never replaced";
        EXPECT_EQ(openSuite()->object("text"), StoredObject("fresh"));
    }
    // A second bad file within the same second gets a name of its own.
    writeFile("garbage");
    stderrOf([&] { openSuite(); });
    EXPECT_EQ(keptAside().size(), 2);
}

TEST_F(FileSuitePersistence, FilesThatCannotBeReadOrLockedAreNeverReset) {
    // A FIFO in the file's place: opening it must not block, and it is neither moved nor replaced.
    QDir().mkpath(folder());
    const QByteArray file = QFile::encodeName(path());
    ASSERT_EQ(::mkfifo(file.constData(), 0600), 0);
    std::shared_ptr<FileSuite> suite;
    const std::string report = stderrOf([&] {
        suite = openSuite();
        suite->setObject("text", "mine");
        EXPECT_FALSE(suite->flush());
    });
    struct stat st {};
    ASSERT_EQ(::stat(file.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(keptAside().isEmpty());
    EXPECT_TRUE(suite->isPersistent());
    EXPECT_NE(report.find(file.toStdString()), std::string::npos) << report;

    // Once the file can be read, the next flush merges with it.
    ASSERT_EQ(::unlink(file.constData()), 0);
    zendra::test::replaceAtomically(path(), {{"text", "theirs"}, {"size", 5}});
    EXPECT_TRUE(suite->flush());
    EXPECT_EQ(zendra::test::entriesOnDisk(path()), (StoredDictionary{{"text", "mine"}, {"size", 5}}));

    // Settings the reader would refuse are never written.
    StoredObject deep(StoredArray{});
    for (int level = 0; level < 600; ++level) {
        deep = StoredObject(StoredArray{deep});
    }
    suite->setObject("deep", deep);
    stderrOf([&] { EXPECT_FALSE(suite->flush()); });
    EXPECT_EQ(zendra::test::entriesOnDisk(path()).size(), 2u);
    suite->removeObject("deep");
    suite.reset();

    // Without its lock file (a folder in its place, as good as a read-only folder), the file is still
    // read, and left alone.
    const QString lockPath = path() + ".lock";
    ASSERT_FALSE(QFile::exists(lockPath)) << "the lock file goes with its last holder";
    ASSERT_TRUE(QDir().mkdir(lockPath));
    stderrOf([&] { suite = openSuite(); });
    EXPECT_EQ(suite->object("text"), StoredObject("mine"));
    EXPECT_FALSE(suite->isPersistent());
}

TEST_F(FileSuitePersistence, UnusableLocationFallsBackToMemory) {
    // A regular file where the folder should be.
    ASSERT_TRUE(QFile(dir_.filePath("nested")).open(QIODevice::WriteOnly));

    std::shared_ptr<FileSuite> suite;
    bool flushed = true;
    const std::string stderrText = stderrOf([&] {
        suite = openSuite();
        suite->setObject("text", "kept in memory");
        flushed = suite->flush();
    });

    EXPECT_FALSE(suite->isPersistent());
    EXPECT_FALSE(flushed);
    EXPECT_EQ(suite->object("text"), StoredObject("kept in memory"));
    EXPECT_EQ(lineCount(stderrText), 1) << stderrText;
    EXPECT_NE(stderrText.find("memory"), std::string::npos) << stderrText;
}

TEST_F(FileSuitePersistence, LeftoverTemporaryFilesAreRemovedOnOpen) {
    QDir().mkpath(folder());
    const QString leftover = folder() + "/org.zendra.Zendra.plist.tmp-Ab12Cd";
    const QString unrelated = folder() + "/notes.tmp-Ab12Cd";
    for (const auto& name : {leftover, unrelated}) {
        ASSERT_TRUE(QFile(name).open(QIODevice::WriteOnly));
    }
    openSuite();
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_TRUE(QFile::exists(unrelated));
}

TEST_F(FileSuitePersistence, FailedWriteIsRetriedByTheNextFlush) {
    auto suite = openSuite();
    suite->setObject("text", "first");
    ASSERT_TRUE(suite->flush());
    // A folder where the lock file belongs makes every flush fail, whatever the privileges.
    const QString lockPath = path() + ".lock";
    ASSERT_TRUE(QDir().mkdir(lockPath));

    suite->setObject("text", "second");
    const std::string stderrText = stderrOf([&] {
        EXPECT_FALSE(suite->flush());
        EXPECT_FALSE(suite->flush());
    });
    EXPECT_EQ(lineCount(stderrText), 1) << "one report per failure streak";
    EXPECT_EQ(zendra::test::entriesOnDisk(path()).at("text"), StoredObject("first"));

    ASSERT_TRUE(QDir().rmdir(lockPath));
    EXPECT_TRUE(suite->flush());
    EXPECT_EQ(zendra::test::entriesOnDisk(path()).at("text"), StoredObject("second"));
}

} // namespace
} // namespace zendra::Prefs
