// Zendra's applet in a real plasmashell panel (with kded5 and kwin_x11) on the test's Xvfb, on a bus of
// its own that starts Zendra by activation: the panel shows the text and follows set-text, and a click
// on the applet opens the edit window. Screenshots go to $ZENDRA_TEST_SHOTS (default: the temporary
// folder) for a look by eye.
#include "support/child_process.h"
#include "support/launch_history.h"
#include "support/scoped_env.h"
#include "support/session_bus.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <set>
#include <xcb/xcb.h>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::waitUntil;
using zendra::test::X11Input;

constexpr std::uint8_t escapeKey = 9;

#ifdef ZENDRA_PLASMA_APPLET_BUILD_DIR
constexpr const char* appletBuild = ZENDRA_PLASMA_APPLET_BUILD_DIR;
#else
constexpr const char* appletBuild = nullptr;
#endif

// A bottom panel holding only the applet.
constexpr char appletsrc[] =
    "[Containments][1]\n"
    "formfactor=2\nimmutability=1\nlastScreen=0\nlocation=4\n"
    "plugin=org.kde.panel\nwallpaperplugin=org.kde.image\n\n"
    "[Containments][1][Applets][2]\nimmutability=1\nplugin=org.zendra.Zendra.applet\n\n"
    "[Containments][1][General]\nAppletOrder=2\n";

// The mapped windows of `pid` in root coordinates, below window manager frames too.
std::vector<X11Input::Window> windowsOf(pid_t pid) {
    std::vector<X11Input::Window> found;
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const QByteArray pidName("_NET_WM_PID");
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 1, pidName.size(), pidName.constData()), nullptr);
    const auto visit = [&](auto& self, xcb_window_t window, int depth) -> void {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr);
        if (!tree) {
            return;
        }
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            const xcb_window_t child = children[i];
            xcb_get_property_reply_t* property = xcb_get_property_reply(
                x, xcb_get_property(x, 0, child, atom ? atom->atom : 0, XCB_ATOM_CARDINAL, 0, 1), nullptr);
            const bool ours =
                property && xcb_get_property_value_length(property) == 4 &&
                *static_cast<const std::uint32_t*>(xcb_get_property_value(property)) == std::uint32_t(pid);
            free(property);
            xcb_get_window_attributes_reply_t* attributes =
                xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, child), nullptr);
            const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            free(attributes);
            if (ours && viewable) {
                xcb_get_geometry_reply_t* geometry =
                    xcb_get_geometry_reply(x, xcb_get_geometry(x, child), nullptr);
                xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
                    x, xcb_translate_coordinates(x, child, root, 0, 0), nullptr);
                if (geometry && origin) {
                    found.push_back({child, origin->dst_x, origin->dst_y, geometry->width, geometry->height});
                }
                free(geometry);
                free(origin);
            } else if (viewable && depth < 2) {
                self(self, child, depth + 1);
            }
        }
        free(tree);
    };
    visit(visit, root, 0);
    free(atom);
    xcb_disconnect(x);
    return found;
}

QImage grab(QRect area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

// The columns where two pictures differ, or an empty range.
std::pair<int, int> changedColumns(const QImage& a, const QImage& b) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
        for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

class PlasmaAppletTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"plasmashell", "kwin_x11", "kded5"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) {
                GTEST_SKIP() << program << " is not installed";
            }
        }
        if (!appletBuild) {
            GTEST_SKIP() << "the Plasma applet is not built (KF5 Plasma was not found)";
        }
        ASSERT_TRUE(zendra::test::markLaunchedBefore(xdg));
        QFile layout(xdg.configHome() + "/plasma-org.kde.plasma.desktop-appletsrc");
        ASSERT_TRUE(layout.open(QIODevice::WriteOnly) && layout.write(appletsrc) > 0);
        layout.close();
        // The applet starts Zendra through this bus, as a desktop's bus starts the installed one.
        QFile service(services.path() + "/org.zendra.Zendra.service");
        ASSERT_TRUE(service.open(QIODevice::WriteOnly));
        service.write(QByteArray("[D-BUS Service]\nName=org.zendra.Zendra\nExec=") + ZENDRA_BINARY + "\n");
        service.close();
        // plasmashell needs the activity manager, which its bus starts from the desktop's services; a
        // folder listed first wins, so this build's Zendra is the one started.
        bus.emplace(QStringList{services.path(), QStringLiteral("/usr/share/dbus-1/services")});
        connection = QDBusConnection::connectToBus(bus->address(), QStringLiteral("plasma-test"));
        ASSERT_TRUE(connection.isConnected());
    }

    void TearDown() override {
        if (zendraPid > 0) {
            ::kill(zendraPid, SIGTERM);
        }
        for (auto* process : {&plasmashell, &kwin, &kded}) {
            if (*process) {
                (*process)->terminate(3s);
            }
        }
        if (zendraPid > 0 && waitUntil([&] { return ::kill(zendraPid, 0) != 0; }, 3s) == false) {
            ::kill(zendraPid, SIGKILL);
        }
        connection = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(QStringLiteral("plasma-test"));
    }

    void start(std::optional<ChildProcess>& process, const char* program) {
        zendra::test::ChildProcessOptions options;
        options.environment = {
            {"HOME", xdg.root().toLocal8Bit()},
            {"XDG_CURRENT_DESKTOP", "KDE"},
            {"XDG_SESSION_TYPE", "x11"},
            {"KDE_FULL_SESSION", "true"},
            {"KDE_SESSION_VERSION", "5"},
            {"QT_QPA_PLATFORM", "xcb"},
            {"LANG", "C.UTF-8"},
            // The applet from this build: its QML module and its plasmoid package.
            {"QML2_IMPORT_PATH", QByteArray(appletBuild) + "/qml"},
            {"XDG_DATA_DIRS", QByteArray(appletBuild) + "/share:/usr/local/share:/usr/share"},
        };
        process.emplace(QString::fromLatin1(program), QStringList{}, options);
    }

    bool owned(const char* name) {
        return connection.interface()->isServiceRegistered(QString::fromLatin1(name)).value();
    }

    void setText(const QString& text) {
        ChildProcess client(ZENDRA_BINARY, {QStringLiteral("set-text"), text});
        const auto status = client.waitForExit(10s);
        ASSERT_TRUE(status && status->exitCode == 0) << client.standardError().toStdString();
    }

    // Waits until the area shows the same picture for `quiet`.
    QImage settled(QRect area, std::chrono::milliseconds quiet) {
        QImage last = grab(area);
        QElapsedTimer still;
        still.start();
        waitUntil(
            [&] {
                const QImage now = grab(area);
                if (now != last) {
                    last = now;
                    still.restart();
                }
                return still.elapsed() >= quiet.count();
            },
            20s);
        return last;
    }

    static void save(const QString& name) {
        const QString folder = qEnvironmentVariable("ZENDRA_TEST_SHOTS", QDir::tempPath());
        const QString path = folder + "/plasma-applet-" + name + ".png";
        grab(QGuiApplication::primaryScreen()->geometry()).save(path);
        std::cerr << "screenshot: " << path.toStdString() << '\n';
    }

    zendra::test::TempXdgDirs xdg;
    QTemporaryDir services;
    std::optional<zendra::test::SessionBus> bus;
    QDBusConnection connection{QString()};
    std::optional<ChildProcess> kded, kwin, plasmashell;
    pid_t zendraPid = 0;
    X11Input desktop;
};

TEST_F(PlasmaAppletTest, ThePanelShowsTheTextFollowsSetTextAndAClickOpensTheEditor) {
    start(kded, "kded5");
    start(kwin, "kwin_x11");
    ASSERT_TRUE(waitUntil([&] { return owned("org.kde.KWin"); }, 20s)) << kwin->standardError().toStdString();
    start(plasmashell, "plasmashell");
    // Loading the applet starts Zendra.
    ASSERT_TRUE(waitUntil([&] { return owned("org.zendra.Zendra"); }, 60s))
        << plasmashell->standardError().right(3000).toStdString();
    zendraPid = pid_t(connection.interface()->servicePid(QStringLiteral("org.zendra.Zendra")).value());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect panel(0, screen.height() - 60, 900, 60);
    setText(QStringLiteral("First **text**"));
    const QImage first = settled(panel, 1500ms);
    save("first");
    for (const auto& window : windowsOf(zendraPid)) {
        EXPECT_FALSE(window.y == 0 && window.height <= 40)
            << "with the applet in the panel, Zendra's own item window stays away";
    }

    QElapsedTimer sinceCommand;
    sinceCommand.start();
    setText(QStringLiteral("Second, _much longer_ text that reaches the width"));
    const qint64 commandTook = sinceCommand.elapsed();
    ASSERT_TRUE(waitUntil([&] { return grab(panel) != first; }, 5s)) << "the panel follows set-text";
    std::cerr << "set-text to panel: " << sinceCommand.elapsed() << " ms from the command's start ("
              << commandTook << " ms until it returned)\n";
    const QImage second = settled(panel, 1000ms);
    save("second");

    const auto [left, right] = changedColumns(first, second);
    ASSERT_GE(left, 0);
    const auto editors = [&] {
        int count = 0;
        for (const auto& window : windowsOf(zendraPid)) {
            count += window.width >= 500 ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(editors(), 0);
    const QPoint applet(panel.x() + (left + right) / 2, panel.bottom() - 20);
    desktop.click(applet.x(), applet.y());
    EXPECT_TRUE(waitUntil([&] { return editors() == 1; }, 5s))
        << "a click on the applet opens the edit window";
    settled(screen, 500ms);
    save("editor");

    // Right-click: Zendra's own menu pops up, as a new window of Zendra's.
    std::set<std::uint32_t> before;
    for (const auto& window : windowsOf(zendraPid)) {
        before.insert(window.id);
    }
    desktop.click(applet.x(), applet.y(), X11Input::Button::right);
    EXPECT_TRUE(waitUntil(
        [&] {
            for (const auto& window : windowsOf(zendraPid)) {
                if (!before.count(window.id) && window.y + window.height <= panel.bottom()) {
                    return true;
                }
            }
            return false;
        },
        5s))
        << "the menu opens above the panel";
    settled(screen, 300ms);
    save("menu");
    desktop.chord({escapeKey});
    ASSERT_TRUE(waitUntil([&] { return windowsOf(zendraPid).size() <= before.size(); }, 5s))
        << "Escape closes it";

    // Shift-click clears the text. Shift is held a moment first, as a user does: plasmashell takes the
    // modifiers of a click from the key events it has seen by then.
    desktop.key(true, X11Input::shiftKey);
    waitUntil([] { return false; }, 300ms);
    desktop.click(applet.x(), applet.y());
    waitUntil([] { return false; }, 300ms);
    desktop.key(false, X11Input::shiftKey);
    EXPECT_TRUE(waitUntil(
        [&] {
            ChildProcess get(ZENDRA_BINARY, {QStringLiteral("get-text")});
            return get.waitForExit(5s) && get.standardOutput().trimmed().isEmpty();
        },
        5s))
        << "Shift-click on the applet clears the text";
    save("cleared");
}

} // namespace
