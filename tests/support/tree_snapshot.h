#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <string>

namespace zendra::test {

// Every entry under a folder, by path relative to it, with what it holds: its type and permissions and
// a digest of a file's bytes or a link's target. Links are not followed.
using TreeSnapshot = std::map<QString, QByteArray>;

// The snapshot of `root`, without the entries under `leftOut` (absolute paths: folders whose change
// is expected, such as the application's own and the trash).
TreeSnapshot snapshotTree(const QString& root, const QStringList& leftOut = {});

// The relative paths added, removed or changed between two snapshots, one a line ("folder/file
// (changed)"); empty when nothing changed. Compared with "" it makes a readable failure message.
std::string changedPaths(const TreeSnapshot& before, const TreeSnapshot& after);

} // namespace zendra::test
