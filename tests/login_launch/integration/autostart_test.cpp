#include "login_launch/login_launch.h"
#include "platform/linux/autostart_login_platform.h"
#include "prefs/prefs.h"
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace zendra;

using namespace std::chrono_literals;

namespace {

QStringList* logged = nullptr;

void captureMessage(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (logged != nullptr && QByteArray(context.category) == "org.zendra.LoginLaunch.main") {
        logged->append(message);
    }
}

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

struct AutostartTest : testing::Test {
    zendra::test::TempXdgDirs xdg;
    QString executable = xdg.root() + "/My Apps/zendra";
    QString entry = xdg.configHome() + "/autostart/org.zendra.Zendra.desktop";
    QStringList messages;
    QtMessageHandler previous = nullptr;

    void SetUp() override {
        LoginLaunch::setPlatform(std::make_shared<zendra::autostart::AutostartLoginPlatform>(
            "org.zendra.Zendra", "Zendra", executable));
        logged = &messages;
        previous = qInstallMessageHandler(captureMessage);
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        logged = nullptr;
        LoginLaunch::setPlatform(nullptr);
    }
};

TEST_F(AutostartTest, TheEntryAppearsIsReadBackAndDisappears) {
    auto suite = Prefs::Suite::makeInMemory();
    LoginLaunch::migrateIfNeeded(suite);
    EXPECT_EQ(suite->object("LoginLaunch__hasMigrated"), Prefs::StoredObject(true));
    EXPECT_FALSE(QFile::exists(entry)) << "without a helper the migration registers nothing";
    EXPECT_FALSE(LoginLaunch::isEnabled());

    LoginLaunch::setEnabled(true);
    ASSERT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(LoginLaunch::isEnabled());
    const QString text = readFile(entry);
    EXPECT_TRUE(text.contains("\nExec=\"" + executable + "\"\n")) << text.toStdString();
    EXPECT_TRUE(QDir(xdg.configHome() + "/autostart").entryList(QDir::Files | QDir::Hidden).size() == 1)
        << "no temporary file left behind";

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        zendra::test::ChildProcess validate(validator, {entry});
        const auto status = validate.waitForExit(10s);
        ASSERT_TRUE(status);
        EXPECT_EQ(status->exitCode, 0)
            << validate.standardOutput().toStdString() << validate.standardError().toStdString();
    }

    LoginLaunch::setEnabled(true); // re-registering keeps one valid entry
    EXPECT_TRUE(LoginLaunch::isEnabled());

    LoginLaunch::setEnabled(false);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(LoginLaunch::isEnabled());
    LoginLaunch::setEnabled(false);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(AutostartTest, EntriesSwitchedOffByTheDesktopReadAsOffAndAreReplaced) {
    QDir().mkpath(xdg.configHome() + "/autostart");
    for (const QByteArray disabled : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
        writeFile(entry, "[Desktop Entry]\nType=Application\nName=Zendra\nExec=zendra\n" + disabled + "\n");
        EXPECT_FALSE(LoginLaunch::isEnabled()) << disabled.constData();
        LoginLaunch::setEnabled(true);
        EXPECT_TRUE(LoginLaunch::isEnabled());
    }
    EXPECT_EQ(LoginLaunch::platform().mainApp().status(), LoginLaunch::AppServiceStatus::enabled);
}

TEST_F(AutostartTest, FailuresAreLoggedAndAbsorbed) {
    // A file where the folder should be: the folder cannot be made, nor the entry written.
    writeFile(xdg.configHome() + "/autostart", "not a folder");
    LoginLaunch::setEnabled(true);
    EXPECT_FALSE(LoginLaunch::isEnabled());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().startsWith("Failed to enable launch at login: "))
        << messages.front().toStdString();

    // A folder where the entry should be: it cannot be removed.
    QFile::remove(xdg.configHome() + "/autostart");
    QDir().mkpath(entry + "/inside");
    LoginLaunch::setEnabled(false);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages.back().startsWith("Failed to disable launch at login: "))
        << messages.back().toStdString();
}

} // namespace
