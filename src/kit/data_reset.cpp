#include "kit/data_reset.h"

#include "prefs/file_suite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zendra::KZApp {

namespace {

QString home(const QProcessEnvironment& environment, const char* variable, const char* fallback) {
    const QString value = environment.value(QLatin1String(variable));
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) {
        return QDir::cleanPath(value);
    }
    return QDir::cleanPath(environment.value(QStringLiteral("HOME"), QDir::homePath()) + u'/' +
                           QLatin1String(fallback));
}

QString tr(const char* text) {
    return QCoreApplication::translate("zendra::KZApp::Reset", text);
}

// Writes the emptied suite; a sentence when its file still holds the old settings.
std::optional<QString> saveSettings(Prefs::Suite& suite) {
    auto* file = dynamic_cast<Prefs::FileSuite*>(&suite);
    if (file == nullptr || file->flush() || !QFileInfo::exists(file->path())) {
        return std::nullopt;
    }
    return tr("could not write the settings file %1").arg(file->path());
}

// The file system holding `path`; nothing when it cannot be read.
std::optional<dev_t> deviceOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return std::nullopt;
    }
    return info.st_dev;
}

} // namespace

bool runsInOwnSandbox(const QProcessEnvironment& environment, const QString& identifier,
                      const QString& infoFile) {
    return !identifier.isEmpty() && environment.value(QStringLiteral("FLATPAK_ID")) == identifier &&
           QFileInfo::exists(infoFile);
}

QStringList dataFolders(const QProcessEnvironment& environment, const QString& appFolder,
                        const std::optional<QString>& sandbox) {
    const QString data = home(environment, "XDG_DATA_HOME", ".local/share") + u'/' + appFolder;
    const QString cache = home(environment, "XDG_CACHE_HOME", ".cache") + u'/' + appFolder;
    QStringList folders;
    if (sandbox && !sandbox->isEmpty()) {
        // The sandbox keeps its data in <folder>/data; the folder itself bears the identifier.
        const QString folder = QDir::cleanPath(data + QLatin1String("/../.."));
        if (QFileInfo(folder).fileName() == *sandbox) {
            folders << folder;
        }
    }
    folders << data;
    if (!folders.contains(cache)) {
        folders << cache;
    }
    return folders;
}

QStringList deleteDataAndSettings(Prefs::Suite& suite, const QStringList& folders,
                                  const MoveToTrash& moveToTrash) {
    QStringList problems;
    suite.removeAll();
    if (auto problem = saveSettings(suite)) {
        problems << *problem;
    }
    for (const QString& folder : folders) {
        if (!QFileInfo::exists(folder)) {
            continue;
        }
        if (auto why = moveToTrash(folder)) {
            problems << tr("could not move %1 to the trash: %2").arg(folder, *why);
        }
    }
    return problems;
}

std::optional<QString> moveToTrash(const QString& path) {
    const QString dataHome = home(QProcessEnvironment::systemEnvironment(), "XDG_DATA_HOME", ".local/share");
    const QString trash = dataHome + QLatin1String("/Trash");
    // Without the data home, Qt 6.4 "trashes" into the current folder.
    QDir().mkpath(trash + QLatin1String("/files"));
    QDir().mkpath(trash + QLatin1String("/info"));
    // Qt 6.4 tries new names for ever when the trash cannot take an entry whose name is already in it:
    // the folders a move changes must be writable first. (A path on another file system than the home
    // trash goes to that file system's own trash.)
    const QString parent = QFileInfo(path).absolutePath();
    QStringList changed{parent};
    if (deviceOf(parent) == deviceOf(trash)) {
        changed << trash + QLatin1String("/files") << trash + QLatin1String("/info");
    }
    for (const QString& folder : changed) {
        if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
            return QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        }
    }
    QFile file(path);
    if (!file.moveToTrash()) {
        return file.errorString().isEmpty() ? tr("the trash refused it") : file.errorString();
    }
    const QString landed = file.fileName();
    const bool inTrash =
        landed.startsWith(dataHome + QLatin1String("/Trash/")) || landed.contains(QLatin1String("/.Trash"));
    if (!inTrash) {
        return tr("it went to %1 instead").arg(landed);
    }
    if (QFileInfo::exists(path)) {
        return tr("it is still there");
    }
    return std::nullopt;
}

} // namespace zendra::KZApp
