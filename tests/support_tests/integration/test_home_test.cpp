// The test homes and their helpers: what a test sees of the machine, what it can write, and how it
// checks that nothing else changed.
#include "support/child_process.h"
#include "support/read_only_folders.h"
#include "support/scoped_env.h"
#include "support/temp_xdg_dirs.h"
#include "support/tree_snapshot.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zendra::test {
namespace {

using namespace std::chrono_literals;

bool writeFile(const QString& path, const QByteArray& content = "installed") {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

TEST(TestHomeTest, NothingInstalledOnTheMachineIsFoundAndTheSessionIsForgotten) {
    // A machine where Zendra is installed, seen from a desktop session.
    const QTemporaryDir machine;
    const QString icon = "icons/hicolor/scalable/apps/org.zendra.Zendra.svg";
    ASSERT_TRUE(writeFile(machine.filePath("share/" + icon)) &&
                writeFile(machine.filePath("xdg/zendra.conf")));
    const ScopedEnv dataDirs("XDG_DATA_DIRS", QFile::encodeName(machine.filePath("share")));
    const ScopedEnv configDirs("XDG_CONFIG_DIRS", QFile::encodeName(machine.filePath("xdg")));
    const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "GNOME");
    const ScopedEnv sandbox("FLATPAK_ID", "org.example.Ide");
    ASSERT_FALSE(QStandardPaths::locate(QStandardPaths::GenericDataLocation, icon).isEmpty());
    const QString home = QDir::homePath();
    {
        const TempXdgDirs xdg;
        EXPECT_EQ(QStandardPaths::locate(QStandardPaths::GenericDataLocation, icon), QString());
        EXPECT_EQ(QStandardPaths::locate(QStandardPaths::GenericConfigLocation, "zendra.conf"), QString());
        EXPECT_EQ(QDir::homePath(), xdg.home());
        EXPECT_EQ(qEnvironmentVariable("XDG_STATE_HOME"), xdg.stateHome());
        EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_CURRENT_DESKTOP"));
        EXPECT_FALSE(qEnvironmentVariableIsSet("FLATPAK_ID"));
    }
    EXPECT_FALSE(QStandardPaths::locate(QStandardPaths::GenericDataLocation, icon).isEmpty()) << "put back";
    EXPECT_EQ(QDir::homePath(), home);
    EXPECT_EQ(qgetenv("XDG_CURRENT_DESKTOP"), "GNOME");
}

TEST(TestHomeTest, ReadOnlyFoldersStopEvenRootAndSnapshotsSeeEveryChange) {
    const QTemporaryDir root;
    const QString folder = root.filePath("folder");
    ASSERT_TRUE(writeFile(folder + "/file", "one") && writeFile(root.filePath("skipped/file")));
    ASSERT_TRUE(QFile::link("folder/file", root.filePath("link")));
    const TreeSnapshot before = snapshotTree(root.path(), {root.filePath("skipped")});
    {
        const ReadOnlyFolders readOnly({folder});
        const auto [program, arguments] =
            readOnly.command("sh", {"-c", "echo two > \"$0/file\" || touch \"$0/new\" || exit 7", folder});
        ChildProcess child(program, arguments);
        const auto status = child.waitForExit(10s);
        ASSERT_TRUE(status);
        EXPECT_EQ(status->exitCode, 7) << child.standardError().toStdString();
    }
    EXPECT_EQ(changedPaths(before, snapshotTree(root.path(), {root.filePath("skipped")})), "");
    EXPECT_TRUE(writeFile(folder + "/new")) << "writable again afterwards";

    ASSERT_TRUE(writeFile(folder + "/file", "two") && writeFile(root.filePath("skipped/other")));
    ASSERT_TRUE(QFile::remove(root.filePath("link")) && QFile::link("folder/new", root.filePath("link")));
    EXPECT_EQ(changedPaths(before, snapshotTree(root.path(), {root.filePath("skipped")})),
              "folder/file (changed)\nlink (changed)\nfolder/new (added)");
}

} // namespace
} // namespace zendra::test
