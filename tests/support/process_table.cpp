#include "support/process_table.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace zendra::test {

namespace {

// /proc/<pid>/stat is "pid (name) state ppid ..."; the name may itself hold spaces and parentheses.
std::optional<ProcessEntry> readEntry(pid_t pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray stat = file.readAll();
    const qsizetype open = stat.indexOf('(');
    const qsizetype close = stat.lastIndexOf(')');
    if (open < 0 || close < open) {
        return std::nullopt;
    }
    const QList<QByteArray> rest = stat.mid(close + 2).split(' ');
    if (rest.size() < 2) {
        return std::nullopt;
    }
    ProcessEntry entry;
    entry.pid = pid;
    entry.name = QString::fromUtf8(stat.mid(open + 1, close - open - 1));
    entry.state = rest[0].isEmpty() ? '?' : rest[0][0];
    entry.parent = rest[1].toInt();
    return entry;
}

bool living(const ProcessEntry& entry) {
    return entry.state != 'Z' && entry.state != 'X';
}

} // namespace

bool isAlive(pid_t pid) {
    const auto entry = readEntry(pid);
    return entry && living(*entry);
}

std::vector<ProcessEntry> childrenOf(pid_t parent) {
    std::vector<ProcessEntry> result;
    const QStringList names = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        bool isPid = false;
        const pid_t pid = name.toInt(&isPid);
        if (!isPid) {
            continue;
        }
        if (const auto entry = readEntry(pid); entry && entry->parent == parent && living(*entry)) {
            result.push_back(*entry);
        }
    }
    return result;
}

} // namespace zendra::test
