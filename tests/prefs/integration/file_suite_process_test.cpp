#include "prefs/file_suite.h"
#include "prefs/plist_codec.h"
#include "support/temp_xdg_dirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace Prefs {
namespace {

using namespace std::chrono_literals;

class FileSuiteProcesses : public testing::Test {
protected:
    QString folder() const { return dirs_.configHome() + "/zendra"; }
    QString path() const { return folder() + "/org.zendra.Zendra.plist"; }

    std::unique_ptr<QProcess> start(const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(ZENDRA_PREFS_CHILD), arguments);
        EXPECT_TRUE(process->waitForStarted(5000));
        return process;
    }
    static void waitForLine(QProcess& process, const QByteArray& line) {
        while (!process.canReadLine()) {
            ASSERT_TRUE(process.waitForReadyRead(10000)) << "no " << line.toStdString() << " from the child";
        }
        ASSERT_EQ(process.readLine().trimmed(), line);
    }
    static void finish(QProcess& process) {
        ASSERT_TRUE(process.waitForFinished(30000));
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(process.exitCode(), 0);
    }

    StoredDictionary fileEntries() const {
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path().toStdString();
        QString error;
        auto entries = PlistCodec::decode(file.readAll(), &error);
        EXPECT_TRUE(entries) << error.toStdString();
        return entries.value_or(StoredDictionary{});
    }

    zendra::test::TempXdgDirs dirs_;
};

TEST_F(FileSuiteProcesses, KilledWriterLeavesACompleteFile) {
    constexpr int names = 50;
    for (int attempt = 0; attempt < 5; ++attempt) {
        auto writer = start({path(), "burst", QString::number(names)});
        waitForLine(*writer, "flushed");
        std::this_thread::sleep_for(
            std::chrono::milliseconds(60 + 37 * attempt)); // somewhere in a later flush
        ::kill(static_cast<pid_t>(writer->processId()), SIGKILL);
        ASSERT_TRUE(writer->waitForFinished(5000));

        const auto entries = fileEntries();
        ASSERT_EQ(entries.size(), std::size_t{names});
        for (int i = 0; i < names; ++i) {
            const auto found = entries.find(QStringLiteral("n%1").arg(i));
            ASSERT_NE(found, entries.end());
            ASSERT_TRUE(found->second.number());
            EXPECT_GE(found->second.number()->toInt64(), 1);
        }
        EXPECT_TRUE(QDir(folder()).entryList({"*.corrupt-*"}).isEmpty());
        // The next user of the file cleans up after the killed one.
        FileSuite::open(path());
        EXPECT_TRUE(QDir(folder()).entryList({"*.tmp-*"}).isEmpty());
    }
}

TEST_F(FileSuiteProcesses, ConcurrentWritersOfDifferentNamesLoseNothing) {
    constexpr int count = 150;
    auto first = start({path(), "write", "a", QString::number(count)});
    auto second = start({path(), "write", "b", QString::number(count)});
    finish(*first);
    finish(*second);
    const auto entries = fileEntries();
    EXPECT_EQ(entries.size(), std::size_t{2 * count});
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries.at(QStringLiteral("a%1").arg(i)), StoredObject(i));
        EXPECT_EQ(entries.at(QStringLiteral("b%1").arg(i)), StoredObject(i));
    }
}

TEST_F(FileSuiteProcesses, TerminationSignalsWritePendingChanges) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const QString value = QStringLiteral("before signal %1").arg(signal);
        auto child = start({path(), "term", "text", value});
        waitForLine(*child, "ready");
        ::kill(static_cast<pid_t>(child->processId()), signal);
        ASSERT_TRUE(child->waitForFinished(10000));
        EXPECT_EQ(child->exitStatus(), QProcess::CrashExit) << "the signal still ends the process";
        EXPECT_EQ(fileEntries().at("text"), StoredObject(value));
    }
}

TEST_F(FileSuiteProcesses, StandardSuiteLivesUnderTheConfigFolder) {
    QDir(dirs_.configHome()).removeRecursively();
    auto child = start({"standard", "text", QString::fromUtf8("caf\xc3\xa9")});
    finish(*child);
    EXPECT_EQ(fileEntries(), (StoredDictionary{{"text", QString::fromUtf8("caf\xc3\xa9")}}));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A relative XDG_CONFIG_HOME is ignored in favour of ~/.config.
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(dirs_.root()));
    qputenv("XDG_CONFIG_HOME", "relative/config");
    auto relative = start({"standard", "text", "home"});
    finish(*relative);
    qputenv("HOME", savedHome);
    QFile file(dirs_.root() + "/.config/zendra/org.zendra.Zendra.plist");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(PlistCodec::decode(file.readAll())->at("text"), StoredObject("home"));
}

} // namespace
} // namespace Prefs
