#include "support/read_only_folders.h"

#include <QDirIterator>
#include <QFile>
#include <unistd.h>

namespace zendra::test {

namespace {

constexpr QFileDevice::Permissions writable =
    QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// Mounts each folder (the arguments up to "--") read-only onto itself, then runs the rest.
constexpr char mountScript[] = R"(set -e
while [ "$1" != -- ]; do
    mount --bind "$1" "$1"
    mount -o remount,bind,ro "$1"
    shift
done
shift
exec "$@")";

} // namespace

ReadOnlyFolders::ReadOnlyFolders(QStringList folders) : folders_(std::move(folders)) {
    if (::geteuid() == 0) {
        return;
    }
    for (const QString& folder : folders_) {
        QStringList paths{folder};
        QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            if (const QString path = entries.next(); !entries.fileInfo().isSymLink()) {
                paths << path;
            }
        }
        for (const QString& path : paths) {
            saved_.emplace_back(path, QFile::permissions(path));
            QFile::setPermissions(path, saved_.back().second & ~writable);
        }
    }
}

ReadOnlyFolders::~ReadOnlyFolders() {
    for (const auto& [path, permissions] : saved_) {
        QFile::setPermissions(path, permissions);
    }
}

ReadOnlyFolders::Command ReadOnlyFolders::command(const QString& program,
                                                  const QStringList& arguments) const {
    if (::geteuid() != 0) {
        return {program, arguments};
    }
    QStringList wrapped{QStringLiteral("--mount"), QStringLiteral("--propagation"),
                        QStringLiteral("private"), QStringLiteral("sh"),
                        QStringLiteral("-c"),      QString::fromLatin1(mountScript),
                        QStringLiteral("sh")};
    wrapped << folders_ << QStringLiteral("--") << program << arguments;
    return {QStringLiteral("unshare"), wrapped};
}

} // namespace zendra::test
