#pragma once

#include <QString>
#include <sys/types.h>
#include <vector>

namespace zendra::test {

// What /proc says about processes, for tests that check nothing was left running.
struct ProcessEntry {
    pid_t pid = 0;
    pid_t parent = 0;
    char state = '?';
    QString name; // the kernel's short command name, as in /proc/<pid>/comm
};

// False once the process has ended (gone, or a zombie that nobody has reaped yet).
bool isAlive(pid_t pid);

// The living processes whose parent is `parent`.
std::vector<ProcessEntry> childrenOf(pid_t parent);

} // namespace zendra::test
