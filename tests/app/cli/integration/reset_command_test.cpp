// zendra reset on the private session bus: the running instance ends, the settings go, the data and
// cache folders land in the trash, and the instance started afterwards is a first launch.
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
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

class ResetCommandTest : public testing::Test {
protected:
    void TearDown() override {
        if (const uint pid = instancePid(); pid != 0) {
            ::kill(pid_t(pid), SIGTERM);
            waitUntil([] { return instancePid() == 0; }, 5s);
        }
    }

    static std::pair<int, QByteArray> zendra(const QStringList& arguments) {
        ChildProcess child(ZENDRA_BINARY, arguments);
        const auto status = child.waitForExit(30s);
        EXPECT_TRUE(status) << arguments.join(' ').toStdString() << " did not end";
        return {status && status->exitCode ? *status->exitCode : -1, child.standardError()};
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

} // namespace
