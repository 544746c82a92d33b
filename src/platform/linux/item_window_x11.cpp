#include "platform/linux/item_window_x11.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace zendra::item_window_x11 {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t rootOf(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// The CARDINAL or WINDOW values of a property; empty when it is missing or of another format.
std::vector<std::uint32_t> values(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

xcb_get_property_cookie_t readCardinals(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                        xcb_atom_t type = XCB_ATOM_CARDINAL) {
    return xcb_get_property(c, 0, window, property, type, 0, 1024);
}

} // namespace

bool isAvailable() {
    return connection() != nullptr;
}

void markAsDock(std::uint32_t window) {
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return;
    }
    const xcb_atom_t type = internAtom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, internAtom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM,
                        32, 1, &type);
    const std::array states{internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                            internAtom(c, "_NET_WM_STATE_SKIP_PAGER"), internAtom(c, "_NET_WM_STATE_ABOVE")};
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, internAtom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        std::uint32_t(states.size()), states.data());
    xcb_flush(c);
}

void reserveTop(std::uint32_t window, int bottom, Span span) {
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return;
    }
    const auto top = std::uint32_t(std::max(0, bottom));
    // left, right, top, bottom, then the start and end of each: left y, right y, top x, bottom x.
    const std::array<std::uint32_t, 12> partial{0,
                                                0,
                                                top,
                                                0,
                                                0,
                                                0,
                                                0,
                                                0,
                                                std::uint32_t(std::max(0, span.left)),
                                                std::uint32_t(std::max(0, span.right)),
                                                0,
                                                0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, internAtom(c, "_NET_WM_STRUT_PARTIAL"),
                        XCB_ATOM_CARDINAL, 32, std::uint32_t(partial.size()), partial.data());
    xcb_flush(c);
}

std::optional<int> topReservedByOthers(std::uint32_t self, Span span) {
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return std::nullopt;
    }
    const xcb_atom_t partialAtom = internAtom(c, "_NET_WM_STRUT_PARTIAL");
    const xcb_atom_t strutAtom = internAtom(c, "_NET_WM_STRUT");
    const auto clients =
        values(c, readCardinals(c, rootOf(c), internAtom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW));
    // All requests first, then the replies: one round trip for the lot.
    std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> cookies;
    for (const std::uint32_t client : clients) {
        if (client != self) {
            cookies.emplace_back(readCardinals(c, client, partialAtom), readCardinals(c, client, strutAtom));
        }
    }
    std::optional<int> lowest;
    for (const auto& [partialCookie, strutCookie] : cookies) {
        const auto partial = values(c, partialCookie);
        const auto strut = values(c, strutCookie);
        int top = 0;
        if (partial.size() >= 12) {
            const bool overlaps = int(partial[8]) <= span.right && int(partial[9]) >= span.left;
            top = overlaps ? int(partial[2]) : 0;
        } else if (strut.size() >= 4) {
            top = int(strut[2]);
        }
        if (top > 0) {
            lowest = std::max(lowest.value_or(0), top);
        }
    }
    return lowest;
}

} // namespace zendra::item_window_x11
