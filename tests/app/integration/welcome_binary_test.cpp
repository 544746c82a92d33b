// The first launch's welcome window, with the real zendra binary on the private X server.
#include "support/child_process.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::test::waitUntil;
using zendra::test::X11Input;

class WelcomeBinaryTest : public testing::Test {
protected:
    void TearDown() override {
        if (zendra) {
            EXPECT_EQ(zendra->terminate(5s).exitCode, 0) << zendra->standardError().toStdString();
        }
    }

    // The first mapped window of the application that `matches`.
    template <class Match> std::optional<X11Input::Window> window(Match matches) {
        for (const auto& candidate : desktop.mappedWindows(zendra->pid())) {
            if (matches(candidate)) {
                return candidate;
            }
        }
        return std::nullopt;
    }
    std::optional<X11Input::Window> itemWindow() {
        return window([&](const auto& w) { return w.y == 0 && w.x + w.width == desktop.screenWidth(); });
    }
    std::optional<X11Input::Window> welcomeWindow() {
        return window([](const auto& w) { return w.width == 420; });
    }

    zendra::test::TempXdgDirs xdg;
    X11Input desktop;
    std::optional<zendra::test::ChildProcess> zendra;
};

TEST_F(WelcomeBinaryTest, OnlyTheFirstLaunchGreetsAndGetStartedEndsAtTheItem) {
    zendra.emplace(ZENDRA_BINARY);
    std::optional<X11Input::Window> welcome, item;
    ASSERT_TRUE(waitUntil([&] { return (welcome = welcomeWindow()) && (item = itemWindow()); }, 10s))
        << zendra->standardError().toStdString();
    EXPECT_EQ(welcome->height, 460);

    // "Continue", then "Get Started": each page's button sits at the bottom centre.
    const int buttonX = welcome->x + welcome->width / 2;
    const int buttonY = welcome->y + welcome->height - 32 - 10 - 16;
    desktop.click(buttonX, buttonY);
    waitUntil([] { return false; }, 600ms);
    desktop.click(buttonX, buttonY);
    ASSERT_TRUE(waitUntil([&] { return !welcomeWindow(); }, 5s)) << "Get Started closes the window";

    const auto greeting = [&] {
        return window([&](const auto& w) {
            return w.id != item->id && w.width > 40 && std::abs(w.y - (item->y + item->height)) <= 2;
        });
    };
    ASSERT_TRUE(waitUntil([&] { return greeting().has_value(); }, 5s)) << "the greeting shows under the item";
    EXPECT_GE(greeting()->x + greeting()->width, item->x);
    EXPECT_LE(greeting()->x + greeting()->width, desktop.screenWidth());

    EXPECT_EQ(zendra->terminate(5s).exitCode, 0);
    zendra.emplace(ZENDRA_BINARY);
    ASSERT_TRUE(waitUntil([&] { return itemWindow().has_value(); }, 10s));
    EXPECT_FALSE(waitUntil([&] { return welcomeWindow().has_value(); }, 1500ms))
        << "the second launch shows no welcome window";
}

} // namespace
