// The command line of the real binary on the private session bus: the client commands with and
// without a running instance, the hand-over to the running instance, and watch.
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::waitUntil;

struct CommandRun {
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};

class CliBinaryTest : public testing::Test {
protected:
    void TearDown() override {
        if (app) {
            const auto status = app->terminate(5s);
            EXPECT_EQ(status.exitCode, 0) << app->standardError().toStdString();
        }
    }

    static CommandRun zendra(const QStringList& arguments, const QByteArray& input = {}) {
        zendra::test::ChildProcessOptions options;
        options.standardInput = input;
        ChildProcess child(ZENDRA_BINARY, arguments, options);
        const auto status = child.waitForExit(20s);
        EXPECT_TRUE(status) << arguments.join(' ').toStdString() << " did not end";
        return {status && status->exitCode ? *status->exitCode : -1, child.standardOutput(),
                child.standardError()};
    }

    static bool nameIsOwned() {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered("org.zendra.Zendra").value();
    }

    void startApp() {
        app.emplace(ZENDRA_BINARY);
        ASSERT_TRUE(waitUntil([] { return nameIsOwned(); }, 10s)) << app->standardError().toStdString();
    }

    QByteArray preferencesFile() const {
        QFile file(xdg.configHome() + "/zendra/org.zendra.Zendra.plist");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    zendra::test::TempXdgDirs xdg;
    std::optional<ChildProcess> app;
};

TEST_F(CliBinaryTest, WithoutARunningInstanceTheTextCommandsUseTheFile) {
    ASSERT_FALSE(nameIsOwned());
    EXPECT_EQ(zendra({"set-text", "first line\n  second line "}).exitCode, 0);
    const CommandRun get = zendra({"get-text"});
    EXPECT_EQ(get.exitCode, 0) << get.error.toStdString();
    EXPECT_EQ(get.output, "first line\n  second line \n");

    EXPECT_EQ(zendra({"set-text", "-"}, "from input\n").exitCode, 0);
    EXPECT_EQ(zendra({"get-text"}).output, "from input\n");

    const CommandRun toggle = zendra({"toggle-editor"});
    EXPECT_EQ(toggle.exitCode, 1);
    EXPECT_TRUE(toggle.error.startsWith("zendra: ")) << toggle.error.toStdString();
    EXPECT_EQ(zendra({"set-text", "two", "texts"}).exitCode, 2);
    EXPECT_FALSE(nameIsOwned()) << "no client command starts the application";
}

// What makes the client commands quick: the executable starts without the GUI libraries, which
// only the module of the application brings.
TEST_F(CliBinaryTest, TheExecutableLoadsNoGuiLibrary) {
    zendra::test::ChildProcessOptions trace;
    trace.environment["LD_TRACE_LOADED_OBJECTS"] = "1";
    ChildProcess child(ZENDRA_BINARY, {}, trace);
    ASSERT_TRUE(child.waitForExit(20s));
    const QByteArray libraries = child.standardOutput();
    ASSERT_TRUE(libraries.contains("libQt6Core")) << libraries.toStdString();
    for (const char* gui : {"libQt6Gui", "libQt6Widgets", "libxcb", "libX11", "libxkbcommon", "libGL"}) {
        EXPECT_FALSE(libraries.contains(gui)) << gui;
    }
}

TEST_F(CliBinaryTest, TheRunningInstanceServesTheCommandsAndTakesUrlsFromASecondProcess) {
    startApp();
    EXPECT_EQ(zendra({"set-text", "line one\nline two"}).exitCode, 0);
    EXPECT_EQ(zendra({"get-text"}).output, "line one\nline two\n");

    const CommandRun second = zendra({"zendra:?text=%20handed%20over%0Anot%20this"});
    EXPECT_EQ(second.exitCode, 0) << second.error.toStdString();
    EXPECT_TRUE(waitUntil([&] { return zendra({"get-text"}).output == "handed over\n"; }, 5s))
        << "the first line, trimmed, reaches the running instance";
    EXPECT_EQ(zendra({}).exitCode, 0) << "a plain second start ends at once";
    EXPECT_TRUE(app->isRunning());

    EXPECT_EQ(zendra({"clear"}).exitCode, 0);
    EXPECT_EQ(zendra({"get-text"}).output, "\n");
}

TEST_F(CliBinaryTest, WatchPrintsEachChangeOnce) {
    startApp();
    EXPECT_EQ(zendra({"set-text", "start"}).exitCode, 0);
    // watch follows the preferences file, which the application writes shortly after a change.
    ASSERT_TRUE(waitUntil([&] { return preferencesFile().contains("<string>start</string>"); }, 5s));
    ChildProcess watch(ZENDRA_BINARY, {"watch", "--json"});
    const auto lines = [&] { return watch.standardOutput().count('\n'); };
    ASSERT_TRUE(waitUntil([&] { return lines() == 1; }, 5s));

    EXPECT_EQ(zendra({"set-text", "next\nstep"}).exitCode, 0);
    ASSERT_TRUE(waitUntil([&] { return lines() == 2; }, 5s)) << watch.standardOutput().toStdString();
    EXPECT_EQ(zendra({"set-text", "next\nstep"}).exitCode, 0);
    EXPECT_EQ(zendra({"set-text", "last"}).exitCode, 0);
    ASSERT_TRUE(waitUntil([&] { return lines() == 3; }, 5s)) << watch.standardOutput().toStdString();

    const auto status = watch.terminate(5s);
    EXPECT_EQ(status.exitCode, 0) << "a termination signal ends watch normally";
    EXPECT_EQ(watch.standardOutput(), "{\"text\":\"start\",\"tooltip\":\"start\"}\n"
                                      "{\"text\":\"next step\",\"tooltip\":\"next\\nstep\"}\n"
                                      "{\"text\":\"last\",\"tooltip\":\"last\"}\n");
}

TEST_F(CliBinaryTest, ARelaunchedInstanceTakesOverOnceThePreviousOneEnds) {
    startApp();
    ChildProcess successor(ZENDRA_BINARY, {QStringLiteral("--relaunched-from=%1").arg(app->pid())});
    const auto owner = [] {
        return QDBusConnection::sessionBus().interface()->servicePid("org.zendra.Zendra").value();
    };
    EXPECT_FALSE(waitUntil([&] { return !successor.isRunning(); }, 500ms))
        << "it waits, it does not hand over";
    EXPECT_EQ(owner(), uint(app->pid()));

    EXPECT_EQ(app->terminate(5s).exitCode, 0);
    app.reset();
    ASSERT_TRUE(waitUntil([&] { return owner() == uint(successor.pid()); }, 10s));
    EXPECT_EQ(zendra({"set-text", "after relaunch"}).exitCode, 0);
    EXPECT_EQ(zendra({"get-text"}).output, "after relaunch\n");
    EXPECT_EQ(successor.terminate(5s).exitCode, 0);
}

} // namespace
