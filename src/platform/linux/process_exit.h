#pragma once

#include <QtGlobal>

namespace zendra::linux_process {

// Waits until the process `pid` has ended (a zombie counts as ended), at most `timeoutMs`
// milliseconds. True when it has ended, or never existed; false on timeout. A relaunched instance
// uses it to wait for the instance that started it.
bool waitForProcessExit(qint64 pid, int timeoutMs);

// Whether `pid` names a process that is still running (not ended, not a zombie).
bool isProcessRunning(qint64 pid);

} // namespace zendra::linux_process
