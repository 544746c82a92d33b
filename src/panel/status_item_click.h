#pragma once

#include <cstdint>

namespace zendra {

// What a click on the panel item does.
enum class StatusItemClickAction { showMenu, clearText, toggleEditWindow };

enum class StatusItemMouseEvent { leftMouseDown, leftMouseUp, rightMouseDown, rightMouseUp };

// Modifier keys held during the click. Caps Lock, keypad and function state never decide anything.
struct StatusItemClickModifiers {
    bool shift = false;
    bool control = false;
    bool option = false;
    bool command = false;
    bool capsLock = false;
    bool numericPad = false;
    bool function = false;
};

// Right click, Control-click and Option-click open the menu; Shift-click alone clears the text;
// anything else (a plain click, Shift-Option, Command) toggles the edit window.
StatusItemClickAction decideStatusItemClick(StatusItemMouseEvent event, StatusItemClickModifiers modifiers);

} // namespace zendra
