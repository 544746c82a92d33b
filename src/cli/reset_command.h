#pragma once

// zendra reset [--yes]: deletes every setting and Zendra's data and cache folders. A running instance
// is ended first (so it cannot write its settings back) and started again afterwards, as a first
// launch. Each setting or folder that could not be deleted is named, and the command then fails.

#include "cli/commands.h"

#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace zendra {

class ResetCommand {
public:
    struct Operations {
        std::function<bool()> interactive;                      // standard input is a terminal
        std::function<std::optional<qint64>()> runningInstance; // its process id
        std::function<bool(qint64)> isZendra;                   // that process runs this executable
        std::function<bool(qint64)> stopInstance;               // true once it has ended
        std::function<QStringList()> deleteDataAndSettings;     // what failed, one sentence each
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

// Removes every entry of the standard suite, writes the emptied preferences file and moves Zendra's
// data and cache folders (and, in Zendra's own sandbox, the sandbox's folder) to the trash. Returns what
// failed, one sentence each.
QStringList resetDataAndSettings();

// The operations on this session: the instance that owns the bus name, checked by its executable, SIGTERM,
// the standard suite and the XDG folders, and this executable for the new instance.
ResetCommand::Operations sessionResetOperations();

} // namespace zendra
