#pragma once

// The client commands that do one thing and end: set-text, get-text, service and the three shortcut
// actions. Each reads and writes only the streams it is given, so tests run them in process.

#include "cli/text_target.h"

#include <QString>
#include <iosfwd>
#include <optional>

namespace zendra {

struct CommandStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

inline constexpr int exitSuccess = 0;
inline constexpr int exitFailure = 1;
inline constexpr int exitUsage = 2;

// Prints "zendra: <message>" on the error stream.
void reportError(std::ostream& err, const QString& message);

class SetTextCommand {
public:
    SetTextCommand(TextTarget& target, CommandStreams streams) : target_(target), streams_(streams) {}
    // Sets `text` unchanged (an empty one clears the text), or, with `readInput`, all of standard
    // input without one trailing line break. Input that is not UTF-8 stores nothing.
    int run(const std::optional<QString>& text, bool readInput);

private:
    TextTarget& target_;
    CommandStreams streams_;
};

class GetTextCommand {
public:
    GetTextCommand(TextTarget& target, CommandStreams streams) : target_(target), streams_(streams) {}
    // Prints the text and a newline.
    int run();

private:
    TextTarget& target_;
    CommandStreams streams_;
};

class ServiceCommand {
public:
    ServiceCommand(TextTarget& target, CommandStreams streams) : target_(target), streams_(streams) {}
    // `selection` is the current selection's text; none when nothing is selected (nothing changes).
    int run(const std::optional<QString>& selection);

private:
    TextTarget& target_;
    CommandStreams streams_;
};

// One of the user's actions without a text of its own (toggle-editor, clear, paste, settings, quit).
class ActionCommand {
public:
    ActionCommand(TextTarget& target, CommandStreams streams) : target_(target), streams_(streams) {}
    int run(UserAction action);

private:
    TextTarget& target_;
    CommandStreams streams_;
};

} // namespace zendra
