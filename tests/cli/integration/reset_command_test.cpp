// zendra reset on the private session bus, in temporary homes: the running instance ends, the settings
// go, the data and cache folders land in the trash, and the instance started afterwards is a first
// launch. Nothing but Zendra's own settings and folders ever changes, and a reset that could not
// delete something fails and says what.
#include "support/child_process.h"
#include "support/read_only_folders.h"
#include "support/temp_xdg_dirs.h"
#include "support/tree_snapshot.h"
#include "support/wait_until.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::ReadOnlyFolders;
using zendra::test::waitUntil;

QDBusConnectionInterface& bus() {
    return *QDBusConnection::sessionBus().interface();
}

uint instancePid() {
    const auto reply = bus().servicePid("org.zendra.Zendra");
    return reply.isValid() ? reply.value() : 0;
}

bool writeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("kept until the reset") > 0;
}

struct Outcome {
    int exitCode = -1;
    QByteArray error;
};

class ResetCommandTest : public testing::Test {
protected:
    void TearDown() override {
        if (const uint pid = instancePid(); pid != 0) {
            ::kill(pid_t(pid), SIGTERM);
            waitUntil([] { return instancePid() == 0; }, 5s);
        }
    }

    static Outcome run(const ReadOnlyFolders::Command& command,
                       const zendra::test::EnvironmentChanges& environment = {}) {
        zendra::test::ChildProcessOptions options;
        options.environment = environment;
        ChildProcess child(command.program, command.arguments, options);
        // The test's event loop keeps running: the test process may own the bus name itself.
        waitUntil([&] { return !child.isRunning(); }, 30s);
        const auto status = child.exitStatus();
        EXPECT_TRUE(status) << command.arguments.join(' ').toStdString() << " did not end";
        return {status && status->exitCode ? *status->exitCode : -1, child.standardError()};
    }
    static std::pair<int, QByteArray> zendra(const QStringList& arguments) {
        const Outcome result = run({ZENDRA_BINARY, arguments});
        return {result.exitCode, result.error};
    }

    QString preferences() const {
        QFile file(xdg.configHome() + "/zendra/org.zendra.Zendra.plist");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    bool storesLaunchCount(int count) const {
        return preferences().contains(
            QRegularExpression(QString("<key>KZ_launchCount</key>\\s*<integer>%1</integer>").arg(count)));
    }

    zendra::test::TempXdgDirs xdg;
};

TEST_F(ResetCommandTest, EndsTheInstanceTrashesItsFoldersAndStartsItAgainAsAFirstLaunch) {
    std::optional<ChildProcess> app;
    for (int launch = 1; launch <= 2; ++launch) {
        if (app) {
            EXPECT_EQ(app->terminate(5s).exitCode, 0);
            ASSERT_TRUE(waitUntil([] { return instancePid() == 0; }, 5s));
        }
        app.emplace(ZENDRA_BINARY);
        ASSERT_TRUE(waitUntil([] { return instancePid() != 0; }, 10s)) << app->standardError().toStdString();
        ASSERT_TRUE(waitUntil([&] { return storesLaunchCount(launch); }, 5s)) << preferences().toStdString();
    }
    ASSERT_EQ(zendra({"set-text", "Ship it"}).first, 0);
    const uint oldPid = instancePid();
    ASSERT_TRUE(writeFile(xdg.dataHome() + "/zendra/notes.txt"));
    ASSERT_TRUE(writeFile(xdg.cacheHome() + "/zendra/cache.bin"));

    const auto [refused, why] = zendra({"reset"});
    EXPECT_EQ(refused, 1) << "without a terminal to ask on, only --yes resets";
    EXPECT_TRUE(why.contains("--yes")) << why.toStdString();
    EXPECT_EQ(instancePid(), oldPid);
    EXPECT_TRUE(QFile::exists(xdg.dataHome() + "/zendra/notes.txt"));

    const auto [status, error] = zendra({"reset", "--yes"});
    ASSERT_EQ(status, 0) << error.toStdString();
    const auto oldStatus = app->waitForExit(1s);
    ASSERT_TRUE(oldStatus) << "the old instance has ended";
    EXPECT_EQ(oldStatus->exitCode, 0) << app->standardError().toStdString();
    EXPECT_FALSE(QFileInfo::exists(xdg.dataHome() + "/zendra"));
    EXPECT_FALSE(QFileInfo::exists(xdg.cacheHome() + "/zendra"));
    const QDir trash(xdg.dataHome() + "/Trash/files");
    QStringList trashed;
    for (const QString& entry : trash.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        trashed += QDir(trash.filePath(entry)).entryList(QDir::Files);
    }
    trashed.sort();
    EXPECT_EQ(trashed, QStringList({"cache.bin", "notes.txt"}))
        << "both folders, whole, in this home's trash";

    ASSERT_TRUE(waitUntil([&] { return instancePid() != 0 && instancePid() != oldPid; }, 10s))
        << "a new instance runs";
    EXPECT_TRUE(waitUntil([&] { return storesLaunchCount(1); }, 5s)) << preferences().toStdString();
    EXPECT_FALSE(preferences().contains("Ship it"));
}

// The folders of other programs that share the home, each with a file.
void writeOtherProgramsFiles(const QString& home) {
    for (const char* path : {".local/bin/tool", ".local/state/other/log", ".cache/other/blob",
                             "elsewhere/share/other/data", ".var/app/org.example.Ide/data/zendra/x"}) {
        ASSERT_TRUE(writeFile(home + '/' + path));
    }
}

TEST_F(ResetCommandTest, AnotherSandboxsIdentifierNeverWidensTheResetBeyondZendrasFolders) {
    // The home's data folder is a link to another place, as some users keep it.
    const QString home = xdg.home();
    writeOtherProgramsFiles(home);
    ASSERT_TRUE(QDir(home + "/.local").exists());
    ASSERT_TRUE(QFile::link(home + "/elsewhere/share", home + "/.local/share"));
    const QString data = home + "/elsewhere/share/zendra";
    const QString cache = home + "/.cache/zendra";
    const QStringList expected{data, cache, home + "/elsewhere/share/Trash"};

    for (const QByteArray& sandbox : {QByteArray("org.example.Ide"), QByteArray("org.zendra.Zendra")}) {
        SCOPED_TRACE(sandbox.toStdString());
        ASSERT_TRUE(writeFile(data + "/notes.txt") && writeFile(cache + "/cache.bin"));
        const auto before = zendra::test::snapshotTree(home, expected);
        // FLATPAK_ID alone (without the sandbox's info file) is some other program's or a stray one.
        const Outcome reset = run({ZENDRA_BINARY, {"reset", "--yes"}}, {{"HOME", QFile::encodeName(home)},
                                                                        {"XDG_DATA_HOME", std::nullopt},
                                                                        {"XDG_CACHE_HOME", std::nullopt},
                                                                        {"FLATPAK_ID", sandbox}});
        EXPECT_EQ(reset.exitCode, 0) << reset.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(data));
        EXPECT_FALSE(QFileInfo::exists(cache));
        EXPECT_EQ(zendra::test::changedPaths(before, zendra::test::snapshotTree(home, expected)), "")
            << "nothing but Zendra's folders changed";
    }
}

TEST_F(ResetCommandTest, AReadOnlyConfigOrDataFolderFailsTheResetAndSaysWhy) {
    ASSERT_EQ(zendra({"set-text", "Ship it"}).first, 0);
    const QString config = xdg.configHome() + "/zendra";
    const QString data = xdg.dataHome() + "/zendra";
    const QString cache = xdg.cacheHome() + "/zendra";
    const QString trash = xdg.dataHome() + "/Trash";
    ASSERT_TRUE(writeFile(data + "/notes.txt") && writeFile(cache + "/cache.bin"));

    // The settings cannot be written: every one survives, byte for byte; the folders still go.
    auto before = zendra::test::snapshotTree(xdg.root(), {data, cache, trash});
    {
        ReadOnlyFolders readOnly({config});
        const Outcome reset = run(readOnly.command(ZENDRA_BINARY, {"reset", "--yes"}));
        EXPECT_EQ(reset.exitCode, 1);
        EXPECT_TRUE(reset.error.contains("zendra: could not write the settings file " + config.toUtf8()))
            << reset.error.toStdString();
    }
    EXPECT_EQ(
        zendra::test::changedPaths(before, zendra::test::snapshotTree(xdg.root(), {data, cache, trash})), "");
    EXPECT_TRUE(preferences().contains("Ship it"));
    EXPECT_FALSE(QFileInfo::exists(data)) << "the other steps went ahead";

    // The data folder cannot be moved: it stays, and the reset says so.
    ASSERT_TRUE(writeFile(data + "/notes.txt"));
    before = zendra::test::snapshotTree(xdg.root(), {config});
    {
        ReadOnlyFolders readOnly({xdg.dataHome()});
        const Outcome reset = run(readOnly.command(ZENDRA_BINARY, {"reset", "--yes"}));
        EXPECT_EQ(reset.exitCode, 1);
        EXPECT_TRUE(reset.error.contains("zendra: could not move " + data.toUtf8() + " to the trash"))
            << reset.error.toStdString();
    }
    EXPECT_EQ(zendra::test::changedPaths(before, zendra::test::snapshotTree(xdg.root(), {config})), "");
    EXPECT_FALSE(preferences().contains("Ship it")) << "the settings went";
}

// Counts the SIGTERMs this process receives.
volatile std::sig_atomic_t terminations = 0;

TEST_F(ResetCommandTest, AnotherProgramOwningTheBusNameIsNeitherEndedNorReset) {
    ASSERT_TRUE(writeFile(xdg.dataHome() + "/zendra/notes.txt"));
    const auto before = zendra::test::snapshotTree(xdg.root());
    // This test process stands in for the other program.
    const auto previous = std::signal(SIGTERM, [](int) { terminations = terminations + 1; });
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.registerService("org.zendra.Zendra"));

    const Outcome reset = run({ZENDRA_BINARY, {"reset", "--yes"}});
    bus.unregisterService("org.zendra.Zendra");
    std::signal(SIGTERM, previous);
    EXPECT_EQ(reset.exitCode, 1);
    EXPECT_TRUE(reset.error.contains(QString("process %1 owns Zendra's bus name").arg(::getpid()).toUtf8()))
        << reset.error.toStdString();
    EXPECT_EQ(terminations, 0) << "no signal to a process that is not Zendra";
    EXPECT_EQ(zendra::test::changedPaths(before, zendra::test::snapshotTree(xdg.root())), "")
        << "nothing deleted";
}

} // namespace
