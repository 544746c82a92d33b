#pragma once

#include <memory>

namespace zendra::Prefs {

class FileSuite;

// The process-wide list of open file suites that a termination signal flushes.
namespace TerminationFlush {

void add(const std::shared_ptr<FileSuite>& suite);
// Flushes every suite still open. Runs on the signal helper thread.
void flushAll();

} // namespace TerminationFlush
} // namespace zendra::Prefs
