#pragma once

#include <QByteArray>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <sys/types.h>
#include <vector>

struct xcb_connection_t;

namespace zendra::test {

// A second X client on $DISPLAY, for integration tests: types and clicks with XTest as a user would,
// holds key grabs of its own and looks at other clients' windows. Every input call returns once the
// server has handled it (the events may still be on their way to the receiving client).
//
// Key codes are X key codes of the Xvfb's evdev keymap (evdev code + 8); the common ones are below.
class X11Input {
public:
    static constexpr std::uint8_t shiftKey = 50;
    static constexpr std::uint8_t controlKey = 37;
    static constexpr std::uint8_t altKey = 64;
    static constexpr std::uint8_t superKey = 133;
    static constexpr std::uint8_t capsLockKey = 66;
    static constexpr std::uint8_t returnKey = 36;

    enum class Button : std::uint8_t { left = 1, middle = 2, right = 3 };

    struct Window {
        std::uint32_t id = 0;
        int x = 0, y = 0, width = 0, height = 0;
    };

    // On $DISPLAY, or on `display` with the authority file `authority` (another server than the test's).
    X11Input();
    X11Input(const QByteArray& display, const QByteArray& authority);
    ~X11Input();
    X11Input(const X11Input&) = delete;
    X11Input& operator=(const X11Input&) = delete;

    int screenWidth() const;

    void key(bool press, std::uint8_t keyCode);
    // Presses the keys in order, then releases them in reverse order.
    void chord(std::initializer_list<std::uint8_t> keys);
    void movePointer(int x, int y);
    void button(bool press, Button button);
    // Moves to (x, y), presses `modifierKeys`, clicks `button` and releases the keys again.
    void click(int x, int y, Button button = Button::left,
               std::initializer_list<std::uint8_t> modifierKeys = {});
    // Clicks the middle of `window`.
    void click(const Window& window, Button button = Button::left,
               std::initializer_list<std::uint8_t> modifierKeys = {});

    // A passive grab of the key with exactly `modifiers` (X modifier masks) on the root window; false
    // when another client holds it.
    bool grabKey(std::uint8_t keyCode, std::uint16_t modifiers);
    void ungrabKey(std::uint8_t keyCode, std::uint16_t modifiers);

    // The mapped top-level windows whose _NET_WM_PID is `pid`, in stacking order.
    std::vector<Window> mappedWindows(pid_t pid);
    // The windows of `pid` that the window manager manages as dialogs (in its _NET_CLIENT_LIST, with
    // _NET_WM_WINDOW_TYPE_DIALOG), such as alerts. A reparenting manager hides them from mappedWindows.
    std::vector<std::uint32_t> managedDialogs(pid_t pid);
    // A window's geometry relative to its parent (the root for top-level windows without a manager).
    std::optional<Window> geometry(std::uint32_t window);

    // Returns once the server has handled every request sent so far.
    void sync();

private:
    pid_t windowPid(std::uint32_t window);

    xcb_connection_t* connection_;
    std::uint32_t root_ = 0;
    std::uint32_t pidAtom_ = 0;
};

} // namespace zendra::test
