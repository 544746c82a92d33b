// The real zendra binary on the private X server: its panel item window, clicks on it, and a URL
// given on the command line, checked through the preferences file it writes.
#include "support/child_process.h"
#include "support/launch_history.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::test::waitUntil;

using zendra::test::X11Input;

constexpr std::uint8_t hKey = 43;
constexpr std::uint8_t iKey = 31;

// The panel item: the application's window at the top edge, against the right edge.
std::optional<X11Input::Window> itemWindow(X11Input& desktop, pid_t pid) {
    for (const auto& window : desktop.mappedWindows(pid)) {
        if (window.y == 0 && window.x + window.width == desktop.screenWidth()) {
            return window;
        }
    }
    return std::nullopt;
}

class AppBinaryTest : public testing::Test {
protected:
    // A later launch: these tests are about the item and the editor, not the welcome window.
    void start(const QStringList& arguments = {}) {
        ASSERT_TRUE(zendra::test::markLaunchedBefore(xdg));
        zendra.emplace(ZENDRA_BINARY, arguments);
    }

    void TearDown() override {
        if (zendra) {
            const auto status = zendra->terminate(5s);
            EXPECT_EQ(status.exitCode, 0)
                << zendra::test::describe(status).toStdString() << zendra->standardError().toStdString();
        }
    }

    QByteArray preferences() const {
        QFile file(xdg.configHome() + "/zendra/org.zendra.Zendra.plist");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The stored text, or nothing when the file has no "text" entry.
    std::optional<QString> storedText() const {
        static const QRegularExpression entry("<key>text</key>\\s*<string>([^<]*)</string>");
        const auto match = entry.match(QString::fromUtf8(preferences()));
        return match.hasMatch() ? std::optional(match.captured(1)) : std::nullopt;
    }

    std::optional<X11Input::Window> waitForItemWindow() {
        std::optional<X11Input::Window> item;
        waitUntil([&] { return (item = itemWindow(desktop, zendra->pid())).has_value(); }, 10s);
        return item;
    }

    zendra::test::TempXdgDirs xdg;
    X11Input desktop;
    std::optional<zendra::test::ChildProcess> zendra;
};

TEST_F(AppBinaryTest, ShowsItsItemAloneAndClearsTheTextOnShiftClick) {
    start({"zendra:?text=Write%20the%20report"});
    const auto item = waitForItemWindow();
    ASSERT_TRUE(item) << zendra->standardError().toStdString();
    EXPECT_GT(item->width, 20);
    EXPECT_LE(item->height, 40);
    for (const auto& window : desktop.mappedWindows(zendra->pid())) {
        EXPECT_LT(window.width, 500)
            << "the edit window stays hidden at launch (only the item and its tip show)";
    }

    ASSERT_TRUE(waitUntil([&] { return storedText() == QString("Write the report"); }, 5s))
        << "the URL given at start sets the text: " << preferences().toStdString();

    desktop.click(*item, X11Input::Button::left, {X11Input::shiftKey});
    EXPECT_TRUE(waitUntil([&] { return !storedText().has_value(); }, 5s))
        << "Shift-click removes the entry: " << preferences().toStdString();
}

TEST_F(AppBinaryTest, APlainClickShowsTheEditorWhoseKeystrokesAreStoredUntilReturnHidesIt) {
    start();
    const auto item = waitForItemWindow();
    ASSERT_TRUE(item) << zendra->standardError().toStdString();
    // The first other window to appear is the editor (the one-time tip under the item comes later).
    std::uint32_t editorId = 0;
    const auto editor = [&]() -> std::optional<X11Input::Window> {
        for (const auto& window : desktop.mappedWindows(zendra->pid())) {
            if (window.id != item->id && (editorId == 0 || window.id == editorId)) {
                editorId = window.id;
                return window;
            }
        }
        return std::nullopt;
    };

    desktop.click(*item);
    ASSERT_TRUE(waitUntil([&] { return editor().has_value(); }, 5s)) << "the edit window appears";
    EXPECT_GE(editor()->width, 500);

    // Focus reaches the new window asynchronously; type only once the first key has arrived.
    desktop.chord({hKey});
    ASSERT_TRUE(waitUntil([&] { return storedText() == QString("h"); }, 5s))
        << "each keystroke is stored: " << preferences().toStdString();
    desktop.chord({iKey});
    ASSERT_TRUE(waitUntil([&] { return storedText() == QString("hi"); }, 5s)) << preferences().toStdString();

    desktop.chord({X11Input::returnKey});
    EXPECT_TRUE(waitUntil([&] { return !editor().has_value(); }, 5s)) << "Return hides the edit window";
    EXPECT_EQ(storedText(), QString("hi"));

    desktop.click(*item);
    EXPECT_TRUE(waitUntil([&] { return editor().has_value(); }, 5s)) << "and a click brings it back";
}

TEST_F(AppBinaryTest, WithoutADisplayItExplainsInsteadOfAborting) {
    zendra::test::ChildProcessOptions noDisplay;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        noDisplay.environment[name] = std::nullopt;
    }
    const auto run = [&](const QStringList& arguments) {
        zendra::test::ChildProcess child(ZENDRA_BINARY, arguments, noDisplay);
        const auto status = child.waitForExit(5s);
        return std::pair(status ? status->exitCode : std::optional<int>(), child.standardError());
    };

    const auto [unknownStatus, unknownErrors] = run({"--frobnicate"});
    EXPECT_EQ(unknownStatus, 2);
    EXPECT_TRUE(unknownErrors.contains("--frobnicate"));

    // A mistyped command is no URL: it is refused before anything starts.
    const auto [typoStatus, typoErrors] = run({"get-txt"});
    EXPECT_EQ(typoStatus, 2) << typoErrors.toStdString();
    EXPECT_TRUE(typoErrors.contains("get-text")) << typoErrors.toStdString();

    const auto [status, errors] = run({});
    EXPECT_EQ(status, 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains("graphical session")) << errors.toStdString();
    EXPECT_EQ(errors.count('\n'), 1) << errors.toStdString();

    noDisplay.environment["WAYLAND_DISPLAY"] = "/nonexistent/wayland-9";
    noDisplay.environment["DISPLAY"] = ":987";
    const auto [deadStatus, deadErrors] = run({});
    EXPECT_EQ(deadStatus, 1) << "a display that does not answer is none: " << deadErrors.toStdString();
}

} // namespace
