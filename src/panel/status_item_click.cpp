#include "panel/status_item_click.h"

namespace zendra {

namespace {

enum class Only { none, shift, control, option, other };

Only exactModifier(const StatusItemClickModifiers& m) {
    const int count = int(m.shift) + int(m.control) + int(m.option) + int(m.command);
    if (count == 0) {
        return Only::none;
    }
    if (count > 1 || m.command) {
        return Only::other;
    }
    return m.shift ? Only::shift : m.control ? Only::control : Only::option;
}

} // namespace

StatusItemClickAction decideStatusItemClick(StatusItemMouseEvent event, StatusItemClickModifiers modifiers) {
    const Only only = exactModifier(modifiers);
    const bool left =
        event == StatusItemMouseEvent::leftMouseDown || event == StatusItemMouseEvent::leftMouseUp;
    if (!left) {
        return StatusItemClickAction::showMenu;
    }
    if (only == Only::control || only == Only::option) {
        return StatusItemClickAction::showMenu;
    }
    if (only == Only::shift) {
        return StatusItemClickAction::clearText;
    }
    return StatusItemClickAction::toggleEditWindow;
}

} // namespace zendra
