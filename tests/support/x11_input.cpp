#include "support/x11_input.h"

#include "support/scoped_env.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace zendra::test {

namespace {

template <typename Reply> struct FreeReply {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

xcb_screen_t* firstScreen(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

} // namespace

namespace {

xcb_connection_t* connectWithAuthority(const QByteArray& display, const QByteArray& authority) {
    // xcb reads the authority file named by XAUTHORITY while it connects.
    const ScopedEnv file("XAUTHORITY", authority);
    return xcb_connect(display.constData(), nullptr);
}

} // namespace

X11Input::X11Input() : X11Input(QByteArray(), QByteArray()) {}

X11Input::X11Input(const QByteArray& display, const QByteArray& authority)
    : connection_(display.isEmpty() ? xcb_connect(nullptr, nullptr)
                                    : connectWithAuthority(display, authority)) {
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("X11Input: cannot connect to $DISPLAY");
    }
    root_ = firstScreen(connection_)->root;
    const char name[] = "_NET_WM_PID";
    ReplyPtr<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr));
    pidAtom_ = atom ? atom->atom : 0;
}

X11Input::~X11Input() {
    xcb_disconnect(connection_);
}

int X11Input::screenWidth() const {
    return firstScreen(connection_)->width_in_pixels;
}

void X11Input::key(bool press, std::uint8_t keyCode) {
    xcb_test_fake_input(connection_, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keyCode, XCB_CURRENT_TIME,
                        root_, 0, 0, 0);
    sync();
}

void X11Input::chord(std::initializer_list<std::uint8_t> keys) {
    for (auto keyCode : keys) {
        key(true, keyCode);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        key(false, *it);
    }
}

void X11Input::movePointer(int x, int y) {
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, std::int16_t(x),
                        std::int16_t(y), 0);
    sync();
}

void X11Input::button(bool press, Button button) {
    xcb_test_fake_input(connection_, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, std::uint8_t(button),
                        XCB_CURRENT_TIME, root_, 0, 0, 0);
    sync();
}

void X11Input::click(int x, int y, Button pressed, std::initializer_list<std::uint8_t> modifierKeys) {
    movePointer(x, y);
    for (auto keyCode : modifierKeys) {
        key(true, keyCode);
    }
    button(true, pressed);
    button(false, pressed);
    for (auto it = std::rbegin(modifierKeys); it != std::rend(modifierKeys); ++it) {
        key(false, *it);
    }
}

void X11Input::click(const Window& window, Button pressed, std::initializer_list<std::uint8_t> modifierKeys) {
    click(window.x + window.width / 2, window.y + window.height / 2, pressed, modifierKeys);
}

bool X11Input::grabKey(std::uint8_t keyCode, std::uint16_t modifiers) {
    ReplyPtr<xcb_generic_error_t> error(
        xcb_request_check(connection_, xcb_grab_key_checked(connection_, 1, root_, modifiers, keyCode,
                                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    return error == nullptr;
}

void X11Input::ungrabKey(std::uint8_t keyCode, std::uint16_t modifiers) {
    xcb_ungrab_key(connection_, keyCode, root_, modifiers);
    sync();
}

std::vector<X11Input::Window> X11Input::mappedWindows(pid_t pid) {
    std::vector<Window> result;
    ReplyPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) {
        return result;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (windowPid(children[i]) != pid) {
            continue;
        }
        ReplyPtr<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, children[i]), nullptr));
        const auto window = geometry(children[i]);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && window) {
            result.push_back(*window);
        }
    }
    return result;
}

std::vector<std::uint32_t> X11Input::managedDialogs(pid_t pid) {
    const auto atom = [this](const char* name) {
        ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    const auto atoms = [this](xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
        ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, type, 0, 1024), nullptr));
        std::vector<std::uint32_t> values;
        if (reply) {
            const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
            values.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
        }
        return values;
    };
    const xcb_atom_t typeAtom = atom("_NET_WM_WINDOW_TYPE");
    const xcb_atom_t dialogAtom = atom("_NET_WM_WINDOW_TYPE_DIALOG");
    std::vector<std::uint32_t> result;
    for (const std::uint32_t window : atoms(root_, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
        const auto types = atoms(window, typeAtom, XCB_ATOM_ATOM);
        if (windowPid(window) == pid && std::find(types.begin(), types.end(), dialogAtom) != types.end()) {
            result.push_back(window);
        }
    }
    return result;
}

std::optional<X11Input::Window> X11Input::geometry(std::uint32_t window) {
    ReplyPtr<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!reply) {
        return std::nullopt;
    }
    return Window{window, reply->x, reply->y, reply->width, reply->height};
}

void X11Input::sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

pid_t X11Input::windowPid(std::uint32_t window) {
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4) {
        return 0;
    }
    std::uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
    return pid_t(pid);
}

} // namespace zendra::test
