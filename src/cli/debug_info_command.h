#pragma once

// zendra debug-info: prints the debug report, the first thing a bug report needs.

#include "cli/commands.h"

#include <QString>
#include <functional>

namespace zendra {

class DebugInfoCommand {
public:
    DebugInfoCommand(std::function<QString()> report, CommandStreams streams)
        : report_(std::move(report)), streams_(streams) {}
    int run();

private:
    std::function<QString()> report_;
    CommandStreams streams_;
};

} // namespace zendra
