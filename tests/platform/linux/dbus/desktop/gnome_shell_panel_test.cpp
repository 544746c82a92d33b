// The real binary under a real GNOME Shell (X11) with the AppIndicator extension: on every start the
// item registers with the shell, the top bar draws its label and follows set-text, and no alert claims
// that the item did not appear. Without the extension Zendra's own window stands in under the top bar,
// the item comes back when the extension does, and only an item that nothing shows raises the alert;
// in a Wayland session that window runs through XWayland, where GNOME keeps it under the top bar.
#include "support/child_process.h"
#include "support/gnome_shell_session.h"
#include "support/launch_history.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::GnomeShellSession;
using zendra::test::waitUntil;
using zendra::test::X11Input;

constexpr int topBarHeight = 32; // GNOME's top bar at scale 1

QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 3000);
}

QVariant property(const QString& service, const QString& path, const QString& interface,
                  const QString& name) {
    const QDBusMessage reply = call(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                    QStringLiteral("Get"), {interface, name});
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
               ? reply.arguments().constFirst().value<QDBusVariant>().variant()
               : QVariant();
}

QStringList registeredItems() {
    return property("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                    "org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")
        .toStringList();
}

// The bus name under which the shell's watcher lists an item of process `pid`, if it lists one.
std::optional<QString> registeredItemOf(qint64 pid) {
    for (const QString& entry : registeredItems()) {
        const QString name = entry.section(QRegularExpression("[@/]"), 0, 0);
        const auto owner = QDBusConnection::sessionBus().interface()->servicePid(name);
        if (owner.isValid() && owner.value() == pid) {
            return name;
        }
    }
    return std::nullopt;
}

QString itemLabel(const QString& item) {
    return property(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "XAyatanaLabel").toString();
}

// The right half of the top bar, where the extension puts items (the clock in the middle stays out).
QImage topBarRight() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const int width = screen->geometry().width();
    return screen->grabWindow(0, width * 3 / 5, 0, width * 2 / 5, topBarHeight).toImage();
}

class GnomeShellPanelTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!GnomeShellSession::missingParts()) {
            shell = std::make_unique<GnomeShellSession>();
        }
    }
    static void TearDownTestSuite() { shell.reset(); }

    void SetUp() override {
        if (const auto missing = GnomeShellSession::missingParts()) {
            GTEST_SKIP() << missing->toStdString();
        }
        ASSERT_TRUE(shell->setAppIndicators(true)) << shell->output().toStdString();
    }

    void TearDown() override {
        if (zendra && zendra->isRunning()) {
            EXPECT_EQ(zendra->terminate(5s).exitCode, 0) << zendra->standardError().toStdString();
        }
    }

    static zendra::test::ChildProcessOptions options() {
        zendra::test::ChildProcessOptions options;
        options.environment = shell->clientEnvironment();
        return options;
    }

    void start(const QStringList& arguments = {}) { zendra.emplace(ZENDRA_BINARY, arguments, options()); }

    bool setText(const QString& text) {
        ChildProcess client(ZENDRA_BINARY, {"set-text", text}, options());
        const auto status = client.waitForExit(10s);
        return status && status->exitCode == 0;
    }

    static inline std::unique_ptr<GnomeShellSession> shell;
    zendra::test::TempXdgDirs xdg;
    X11Input desktop;
    std::optional<ChildProcess> zendra;
};

TEST_F(GnomeShellPanelTest, EveryStartShowsTheTextInTheTopBarWithoutAnAlert) {
    constexpr int starts = 3;
    int shown = 0;
    for (int run = 1; run <= starts; ++run) {
        SCOPED_TRACE("start " + std::to_string(run) + (run == 1 ? ", the first launch" : ", a later launch"));
        const QString text = QStringLiteral("Start %1 of Zendra").arg(run);
        ASSERT_TRUE(setText(text));
        // The last start's item has left the top bar.
        ASSERT_TRUE(waitUntil([] { return registeredItems().isEmpty(); }, 5s));
        const QImage empty = topBarRight();
        start();

        std::optional<QString> item;
        ASSERT_TRUE(waitUntil([&] { return (item = registeredItemOf(zendra->pid())).has_value(); }, 10s))
            << zendra->standardError().toStdString() << shell->output().toStdString();
        EXPECT_TRUE(waitUntil([&] { return topBarRight() != empty; }, 5s)) << "the top bar draws the item";
        EXPECT_EQ(itemLabel(*item), text);
        // A host that fails to read an item drops it a second after it registered; the visibility
        // check looks a second after the host's answer.
        waitUntil([] { return false; }, 2500ms);
        EXPECT_EQ(registeredItemOf(zendra->pid()), item) << "the shell kept the item";
        EXPECT_TRUE(desktop.managedDialogs(zendra->pid()).empty()) << "no alert about a hidden item";

        const QImage before = topBarRight();
        const QString changed = QStringLiteral("Changed %1").arg(run);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(setText(changed));
        ASSERT_TRUE(waitUntil([&] { return itemLabel(*item) == changed; }, 5s));
        const qint64 toProperty = clock.elapsed();
        EXPECT_TRUE(waitUntil([&] { return topBarRight() != before; }, 5s)) << "the top bar follows the text";
        const qint64 toTopBar = clock.elapsed();
        std::cerr << "start " << run << ": set-text to the item's label " << toProperty
                  << " ms, to the top bar " << toTopBar << " ms\n";
        shown += registeredItemOf(zendra->pid()) == item && desktop.managedDialogs(zendra->pid()).empty();

        EXPECT_EQ(zendra->terminate(5s).exitCode, 0) << zendra->standardError().toStdString();
        if (run == 1) {
            zendra::test::markLaunchedBefore(xdg);
        }
    }
    EXPECT_EQ(shown, starts);
}

TEST_F(GnomeShellPanelTest, WithoutTheExtensionTheWindowStandsInUnderTheTopBarAndOnlyNothingShownAlerts) {
    ASSERT_TRUE(zendra::test::markLaunchedBefore(xdg));
    ASSERT_TRUE(setText("Under the top bar"));
    ASSERT_TRUE(shell->setAppIndicators(false));
    start();
    const int screenWidth = desktop.screenWidth();
    const auto window = [&]() -> std::optional<X11Input::Window> {
        for (const auto& window : desktop.mappedWindows(zendra->pid())) {
            if (window.height < topBarHeight) {
                return window;
            }
        }
        return std::nullopt;
    };
    ASSERT_TRUE(waitUntil([&] { return window().has_value(); }, 10s))
        << zendra->standardError().toStdString();
    EXPECT_TRUE(waitUntil([&] { return window()->y == topBarHeight; }, 5s))
        << "right under the top bar, not over it: y " << window()->y;
    EXPECT_EQ(window()->x + window()->width, screenWidth);
    waitUntil([] { return false; }, 2s);
    EXPECT_TRUE(desktop.managedDialogs(zendra->pid()).empty()) << "the window shows the item";

    ASSERT_TRUE(shell->setAppIndicators(true));
    EXPECT_TRUE(waitUntil([&] { return registeredItemOf(zendra->pid()).has_value(); }, 10s))
        << "the item registers with the watcher that appeared";
    EXPECT_TRUE(waitUntil([&] { return !window(); }, 5s)) << "and the window steps back";
    EXPECT_EQ(zendra->terminate(5s).exitCode, 0);

    ASSERT_TRUE(shell->setAppIndicators(false));
    start({"--panel-item=statusnotifier"});
    EXPECT_TRUE(waitUntil([&] { return !desktop.managedDialogs(zendra->pid()).empty(); }, 20s))
        << "an item that no host shows, with no window either, is reported";
}

TEST(GnomeShellWaylandTest, TheOwnBarRunsThroughXWaylandRightUnderTheTopBar) {
    using Backend = GnomeShellSession::Backend;
    if (const auto missing = GnomeShellSession::missingParts(Backend::wayland)) {
        GTEST_SKIP() << missing->toStdString();
    }
    const zendra::test::TempXdgDirs xdg;
    ASSERT_TRUE(zendra::test::markLaunchedBefore(xdg));
    const GnomeShellSession shell(false, Backend::wayland);
    zendra::test::ChildProcessOptions options;
    options.environment = shell.clientEnvironment();
    ChildProcess zendra(ZENDRA_BINARY, {}, options);

    const auto& environment = options.environment;
    std::optional<X11Input> xwayland;
    ASSERT_TRUE(waitUntil(
        [&] {
            try {
                xwayland.emplace(*environment.at("DISPLAY"), *environment.at("XAUTHORITY"));
            } catch (const std::runtime_error&) {
            }
            return xwayland.has_value();
        },
        10s));
    std::optional<X11Input::Window> bar;
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto windows = xwayland->mappedWindows(zendra.pid());
            bar = windows.empty() ? std::nullopt : std::optional(windows.front());
            return bar && bar->height < topBarHeight && bar->y == topBarHeight;
        },
        15s))
        << "not an X11 window under the top bar: " << (bar ? bar->y : -1) << "\n"
        << zendra.standardError().toStdString();
    EXPECT_EQ(bar->x + bar->width, 1280) << "at the right end";
    EXPECT_EQ(zendra.terminate(5s).exitCode, 0);
}

} // namespace
