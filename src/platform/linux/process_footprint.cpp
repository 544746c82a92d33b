#include "platform/linux/process_footprint.h"

#include <QFile>
#include <QList>

namespace zendra::linux_process {

namespace {

// Finds "<field> <number> kB" on a line of its own; the kernel writes these sizes in kibibytes.
std::uint64_t kibibyteField(const QByteArray& text, const QByteArray& field) {
    for (const QByteArray& line : text.split('\n')) {
        if (!line.startsWith(field)) {
            continue;
        }
        const QList<QByteArray> parts = line.mid(field.size()).simplified().split(' ');
        if (parts.size() != 2 || parts[1] != "kB") {
            return 0;
        }
        bool ok = false;
        const qulonglong kib = parts[0].toULongLong(&ok);
        return ok ? std::uint64_t(kib) * 1024 : 0;
    }
    return 0;
}

QByteArray readProcFile(const char* path) {
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    // Files under /proc report size 0, so read until the end instead of by size.
    return file.readAll();
}

} // namespace

std::uint64_t pssBytes(const QByteArray& smapsRollup) {
    return kibibyteField(smapsRollup, "Pss:");
}

std::uint64_t residentBytes(const QByteArray& status) {
    return kibibyteField(status, "VmRSS:");
}

std::uint64_t ProcFootprint::bytes() {
    if (const auto pss = pssBytes(readProcFile("/proc/self/smaps_rollup")); pss > 0) {
        return pss;
    }
    return residentBytes(readProcFile("/proc/self/status"));
}

} // namespace zendra::linux_process
