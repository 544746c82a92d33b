#pragma once

// zendra reset [--yes]: deletes every setting and Zendra's data and cache folders. A running instance
// is ended first (so it cannot write its settings back) and started again afterwards, as a first
// launch.

#include "app/cli/commands.h"

#include <QtGlobal>
#include <functional>
#include <optional>

namespace zendra {

class ResetCommand {
public:
    struct Operations {
        std::function<bool()> interactive;                      // standard input is a terminal
        std::function<std::optional<qint64>()> runningInstance; // its process id
        std::function<bool(qint64)> stopInstance;               // true once it has ended
        std::function<void()> deleteDataAndSettings;
        std::function<bool()> startInstance;
    };

    ResetCommand(Operations operations, CommandStreams streams)
        : operations_(std::move(operations)), streams_(streams) {}
    // Without `assumeYes`, asks on the terminal first, and refuses when there is none to ask on.
    int run(bool assumeYes);

private:
    bool confirmed();

    Operations operations_;
    CommandStreams streams_;
};

// Removes every entry of the standard suite and moves Zendra's data and cache folders to the trash,
// then writes the emptied preferences file.
void resetDataAndSettings();

// The operations on this session: the instance that owns the bus name, SIGTERM, the standard suite and
// the XDG folders, and this executable for the new instance.
ResetCommand::Operations sessionResetOperations();

} // namespace zendra
