#pragma once

// `zendra watch`: prints the text as the panel item shows it, then a new line for each change, for
// bars such as waybar, polybar or i3blocks. While an instance runs it follows that instance's text on
// the session bus, so every change arrives once, in order, at once; otherwise the preferences file.
// Prefix and suffix always come from the file.

#include "text/markdown_inline.h"

#include <QDBusConnection>
#include <QString>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace zendra {

class InstanceTextFollower;

// What a bar shows while the text has nothing visible (the item's placeholder symbol).
inline constexpr char16_t watchPlaceholder = u'\u2776';

// The panel item's line: prefix, text and suffix rendered as one line of inline Markdown, with line
// breaks as spaces, as the item renders its label; none when the text has nothing visible.
std::optional<Markdown::InlineText> panelLine(const QString& text, const QString& prefix,
                                              const QString& suffix);

// One output line without its newline: the panel line's text (or the placeholder), or with `json` an
// object for waybar: "text" (the line as Pango markup), "tooltip" (the text alone, escaped), "class"
// and "alt" ("text", or "empty" while the placeholder shows).
std::string watchLine(const QString& text, const QString& prefix, const QString& suffix, bool json);

class WatchCommand {
public:
    // Without `bus`, only the preferences file is followed.
    WatchCommand(std::ostream& out, bool json, std::optional<QDBusConnection> bus = std::nullopt);
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
    std::optional<QDBusConnection> bus_;
    std::unique_ptr<InstanceTextFollower> instance_;
};

} // namespace zendra
