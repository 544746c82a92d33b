#pragma once

// zendra config NAME [VALUE]: prints a setting's stored value, or stores a new one in the preferences
// file. Each setting it knows has a command-line name and a fixed set of words, each stored in one
// spelling; the application reads them at its next start.

#include "cli/commands.h"

#include <QStringList>

namespace zendra {

class ConfigCommand {
public:
    explicit ConfigCommand(CommandStreams streams) : streams_(streams) {}
    // `arguments` follow "config". An unknown name or value changes nothing (a usage error).
    int run(const QStringList& arguments);

private:
    // Writes the file now; false, with the reason on the error stream, when it cannot.
    bool written();

    CommandStreams streams_;
};

} // namespace zendra
