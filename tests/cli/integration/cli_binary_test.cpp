// The command line of the real binary on the private session bus: the client commands with and
// without a running instance, the hand-over to the running instance, and watch.
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

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

    // A forgotten argument is a usage error on one line and keeps the text; "" clears it.
    const CommandRun missing = zendra({"set-text"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.error.count('\n'), 1) << missing.error.toStdString();
    EXPECT_TRUE(missing.error.contains("zendra clear")) << missing.error.toStdString();
    EXPECT_EQ(zendra({"get-text"}).output, "from input\n");
    EXPECT_EQ(zendra({"set-text", ""}).exitCode, 0);
    EXPECT_EQ(zendra({"get-text"}).output, "\n");

    const CommandRun toggle = zendra({"toggle-editor"});
    EXPECT_EQ(toggle.exitCode, 1);
    EXPECT_TRUE(toggle.error.startsWith("zendra: ")) << toggle.error.toStdString();
    EXPECT_EQ(zendra({"set-text", "two", "texts"}).exitCode, 2);
    const CommandRun typo = zendra({"get-txt"});
    EXPECT_EQ(typo.exitCode, 2);
    EXPECT_TRUE(typo.error.startsWith("zendra: unknown command 'get-txt'; did you mean get-text?\n"))
        << typo.error.toStdString();
    const CommandRun help = zendra({"help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output, zendra({"--help"}).output);
    EXPECT_FALSE(nameIsOwned()) << "no client command starts the application";
}

// A German desktop gets the command line's own texts in German too; the words it quotes stay.
TEST_F(CliBinaryTest, HelpAndMistakesSpeakTheUsersLanguage) {
    zendra::test::ChildProcessOptions german;
    german.environment = {{"LANG", "de_DE.UTF-8"},
                          {"LC_ALL", std::nullopt},
                          {"LC_MESSAGES", std::nullopt},
                          {"LANGUAGE", std::nullopt}};
    const auto run = [&](const QStringList& arguments) {
        ChildProcess child(ZENDRA_BINARY, arguments, german);
        EXPECT_TRUE(child.waitForExit(20s));
        return child.standardOutput() + child.standardError();
    };
    EXPECT_TRUE(run({"help"}).startsWith("Aufruf: zendra [URL]\n")) << run({"help"}).toStdString();
    EXPECT_EQ(run({"get-txt"}), "zendra: unbekannter Befehl 'get-txt'; meinten Sie get-text?\n"
                                "Weitere Informationen mit 'zendra --help'.\n");
    EXPECT_TRUE(run({"config", "panel-item", "dock"}).contains("auto, panel oder window"));
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

    const CommandRun quit = zendra({"quit"});
    EXPECT_EQ(quit.exitCode, 0) << quit.error.toStdString();
    ASSERT_TRUE(waitUntil([&] { return !app->isRunning(); }, 10s)) << "the instance ends after answering";
    EXPECT_EQ(zendra({"quit"}).exitCode, 0) << "with none running there is nothing to end";
}

TEST_F(CliBinaryTest, WatchFollowsTheRunningInstanceChangeByChangeThenTheFile) {
    startApp();
    ChildProcess watch(ZENDRA_BINARY, {"watch", "--json"});
    const auto lines = [&] { return watch.standardOutput().count('\n'); };
    ASSERT_TRUE(waitUntil([&] { return lines() == 1; }, 5s)) << watch.standardError().toStdString();

    // Closer together than the preferences file is written: only the bus carries both.
    const auto setText = [](const QString& text) {
        return QDBusInterface("org.zendra.Zendra", "/org/zendra/Zendra", "org.zendra.Zendra")
            .call("SetText", text);
    };
    EXPECT_EQ(setText("one & <two>").type(), QDBusMessage::ReplyMessage);
    std::this_thread::sleep_for(1ms);
    EXPECT_EQ(setText("**three**\nfour").type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(waitUntil([&] { return lines() == 3; }, 5s)) << watch.standardOutput().toStdString();

    // Without the instance, the file.
    EXPECT_EQ(app->terminate(5s).exitCode, 0);
    app.reset();
    EXPECT_EQ(zendra({"set-text", "five"}).exitCode, 0);
    ASSERT_TRUE(waitUntil([&] { return lines() == 4; }, 5s)) << watch.standardOutput().toStdString();

    const auto status = watch.terminate(5s);
    EXPECT_EQ(status.exitCode, 0) << "a termination signal ends watch normally";
    EXPECT_EQ(watch.standardOutput().toStdString(),
              "{\"alt\":\"empty\",\"class\":\"empty\",\"text\":\"\u2776\",\"tooltip\":\"\"}\n"
              "{\"alt\":\"text\",\"class\":\"text\",\"text\":\"one &amp; &lt;two&gt;\","
              "\"tooltip\":\"one &amp; &lt;two&gt;\"}\n"
              "{\"alt\":\"text\",\"class\":\"text\",\"text\":\"<b>three</b> four\","
              "\"tooltip\":\"**three**\\nfour\"}\n"
              "{\"alt\":\"text\",\"class\":\"text\",\"text\":\"five\",\"tooltip\":\"five\"}\n");
}

TEST_F(CliBinaryTest, AFailedSaveInTheRunningInstanceFailsTheCommand) {
    startApp();
    ASSERT_EQ(zendra({"set-text", "saved"}).exitCode, 0);
    // Its folder replaced by a file: nothing can be written there, by root either.
    const QString folder = xdg.configHome() + "/zendra";
    ASSERT_TRUE(QDir().rename(folder, folder + ".away"));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const CommandRun set = zendra({"set-text", "lost"});
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_TRUE(set.error.contains("zendra: ") && set.error.contains(folder.toUtf8()))
        << set.error.toStdString();
    const CommandRun clear = zendra({"clear"});
    EXPECT_EQ(clear.exitCode, 1);
    EXPECT_TRUE(clear.error.contains(folder.toUtf8())) << clear.error.toStdString();

    // The other calls that change the text answer the same way.
    QApplication::clipboard()->setText("pasted");
    for (const auto& [method, arguments] :
         {std::pair{QStringLiteral("Paste"), QVariantList()},
          std::pair{QStringLiteral("SetTextFromService"), QVariantList{"served"}}}) {
        QDBusMessage message = QDBusMessage::createMethodCall("org.zendra.Zendra", "/org/zendra/Zendra",
                                                              "org.zendra.Zendra", method);
        message.setArguments(arguments);
        // The test's event loop runs meanwhile, so that the instance can read this clipboard.
        QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(message);
        ASSERT_TRUE(waitUntil([&] { return pending.isFinished(); }, 10s)) << method.toStdString();
        EXPECT_EQ(pending.reply().errorName(), "org.zendra.Zendra.Error.Failed") << method.toStdString();
        EXPECT_TRUE(pending.reply().errorMessage().contains(folder))
            << pending.reply().errorMessage().toStdString();
    }
    // An instance that asks this process for the clipboard while it waits for a command would stall.
    QApplication::clipboard()->clear();
    ASSERT_TRUE(QFile::remove(folder) && QDir().rename(folder + ".away", folder));
    EXPECT_TRUE(preferencesFile().contains("<string>saved</string>"));
}

// Stands in for an instance that quits while a call is under way: takes the call and never answers.
class VanishingInstance : public QObject {
    Q_OBJECT
public:
    bool called = false;
public slots:
    void SetText(const QString&, const QDBusMessage& message) {
        message.setDelayedReply(true);
        called = true;
    }
};

TEST_F(CliBinaryTest, WhenTheInstanceGoesAwayMidCallTheCommandUsesTheFile) {
    const QString connectionName = "vanishing-instance";
    VanishingInstance instance;
    {
        auto bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
        ASSERT_TRUE(bus.registerObject("/org/zendra/Zendra", "org.zendra.Zendra", &instance,
                                       QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService("org.zendra.Zendra"));
    }
    ChildProcess set(ZENDRA_BINARY, {"set-text", "kept anyway"});
    ASSERT_TRUE(waitUntil([&] { return instance.called; }, 10s)) << set.standardError().toStdString();
    QDBusConnection::disconnectFromBus(connectionName);

    const auto status = set.waitForExit(20s);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->exitCode, 0) << set.standardError().toStdString();
    EXPECT_TRUE(preferencesFile().contains("<string>kept anyway</string>"));
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

#include "cli_binary_test.moc"
