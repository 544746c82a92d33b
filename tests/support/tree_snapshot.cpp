#include "support/tree_snapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace zendra::test {

namespace {

QByteArray describe(const QFileInfo& entry) {
    const QByteArray mode = QByteArray::number(int(entry.permissions()), 16);
    if (entry.isSymLink()) {
        return "link " + mode + ' ' + QFile::encodeName(entry.symLinkTarget());
    }
    if (entry.isDir()) {
        return "folder " + mode;
    }
    QFile file(entry.filePath());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        return "unreadable " + mode;
    }
    return "file " + mode + ' ' + hash.result().toHex();
}

bool isUnder(const QString& path, const QStringList& folders) {
    for (const QString& folder : folders) {
        if (path == folder || path.startsWith(folder + u'/')) {
            return true;
        }
    }
    return false;
}

} // namespace

TreeSnapshot snapshotTree(const QString& root, const QStringList& leftOut) {
    QStringList cleaned;
    for (const QString& folder : leftOut) {
        cleaned << QDir::cleanPath(folder);
    }
    TreeSnapshot snapshot;
    QDirIterator entries(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (!isUnder(QDir::cleanPath(path), cleaned)) {
            snapshot[QDir(root).relativeFilePath(path)] = describe(entries.fileInfo());
        }
    }
    return snapshot;
}

std::string changedPaths(const TreeSnapshot& before, const TreeSnapshot& after) {
    QStringList changed;
    for (const auto& [path, entry] : before) {
        const auto found = after.find(path);
        if (found == after.end()) {
            changed << path + QStringLiteral(" (removed)");
        } else if (found->second != entry) {
            changed << path + QStringLiteral(" (changed)");
        }
    }
    for (const auto& [path, entry] : after) {
        if (before.find(path) == before.end()) {
            changed << path + QStringLiteral(" (added)");
        }
    }
    return changed.join(u'\n').toStdString();
}

} // namespace zendra::test
