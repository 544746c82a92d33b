#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace zendra::test {

// Runs programs to which some folders cannot be written. Permissions do not stop root, so as root the
// program runs in a private mount namespace in which each folder is bound onto itself read-only (writes
// fail with EROFS; nobody else sees the mounts, and they go when the program ends). Anyone else loses
// the write permission on the folders and everything in them for this object's lifetime.
//
//     ReadOnlyFolders readOnly({xdg.configHome() + "/zendra"});
//     const auto [program, arguments] = readOnly.command(ZENDRA_BINARY, {"reset", "--yes"});
//     ChildProcess child(program, arguments);
class ReadOnlyFolders {
public:
    struct Command {
        QString program;
        QStringList arguments;
    };

    explicit ReadOnlyFolders(QStringList folders);
    ~ReadOnlyFolders();
    ReadOnlyFolders(const ReadOnlyFolders&) = delete;
    ReadOnlyFolders& operator=(const ReadOnlyFolders&) = delete;

    Command command(const QString& program, const QStringList& arguments = {}) const;

private:
    QStringList folders_;
    // Without root: each entry's permissions before.
    std::vector<std::pair<QString, QFileDevice::Permissions>> saved_;
};

} // namespace zendra::test
