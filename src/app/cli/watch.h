#pragma once

// `zendra watch`: prints the text as a status bar should show it, then a new line for each change,
// for bars such as waybar, polybar or i3blocks. It follows the preferences file, so it works whether
// or not Zendra runs, and sees edits of the running instance shortly after they are made.

#include <QString>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

namespace zendra {

// The one line the panel item shows: prefix, text and suffix with each line break as a space; empty
// when the text has nothing visible (the item then shows its placeholder).
QString panelLine(const QString& text, const QString& prefix, const QString& suffix);

// One output line without its newline: the panel line, or with `json` an object with "text" (the
// panel line) and "tooltip" (the text alone, as the item's tooltip).
std::string watchLine(const QString& text, const QString& prefix, const QString& suffix, bool json);

class WatchCommand {
public:
    WatchCommand(std::ostream& out, bool json);
    ~WatchCommand();
    WatchCommand(const WatchCommand&) = delete;
    WatchCommand& operator=(const WatchCommand&) = delete;

    // Prints the current line and starts following changes; each distinct line is printed once, and
    // flushed. Needs a running Qt event loop for the changes. False when the output cannot be written.
    bool start();
    // Called, on the main thread, when a write to the output fails (the reader went away).
    std::function<void()> outputClosed;

private:
    struct State;
    std::shared_ptr<State> state_;
    std::shared_ptr<void> observation_;
};

} // namespace zendra
