#pragma once

// What the item window tells an X11 window manager and reads from it: the window's type and state,
// the top edge it reserves, and the top edges other clients (panels) reserve. Coordinates are the
// root window's device pixels. Every function does nothing, or answers nothing, without an X11
// connection.

#include <cstdint>
#include <optional>

namespace zendra::item_window_x11 {

struct Span {
    int left = 0;
    int right = 0; // inclusive
};

bool isAvailable();

// A dock that stays above, without taskbar or pager entry; set before the window is mapped, which is
// when window managers read it.
void markAsDock(std::uint32_t window);

// Reserves the rows above `bottom` (exclusive) across `span` only, so that maximised windows stay
// clear of the item and the rest of the top edge stays theirs.
void reserveTop(std::uint32_t window, int bottom, Span span);

// The lowest bottom edge of the top edges that other managed windows reserve across `span`; none
// when none does.
std::optional<int> topReservedByOthers(std::uint32_t self, Span span);

} // namespace zendra::item_window_x11
