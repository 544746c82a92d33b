#pragma once

#include "watchdog/memory_watchdog.h"

#include <QByteArray>
#include <cstdint>

namespace zendra::linux_process {

// The process's physical memory in bytes from /proc/self: the proportional set size of
// smaps_rollup (shared pages counted by share), else the resident set size of status. 0 when
// neither can be read.
class ProcFootprint final : public MemoryFootprint {
public:
    std::uint64_t bytes() override;
};

// The "Pss:" line of an smaps_rollup text, in bytes; 0 when absent or malformed.
std::uint64_t pssBytes(const QByteArray& smapsRollup);
// The "VmRSS:" line of a status text, in bytes; 0 when absent or malformed.
std::uint64_t residentBytes(const QByteArray& status);

} // namespace zendra::linux_process
