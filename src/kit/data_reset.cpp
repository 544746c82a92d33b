#include "kit/data_reset.h"

#include "kit/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace

QStringList dataFolders(const QProcessEnvironment& environment, const QString& appFolder) {
    const QString data = home(environment, "XDG_DATA_HOME", ".local/share") + u'/' + appFolder;
    const QString cache = home(environment, "XDG_CACHE_HOME", ".cache") + u'/' + appFolder;
    QStringList folders;
    if (!environment.value(QStringLiteral("FLATPAK_ID")).isEmpty()) {
        folders << QDir::cleanPath(data + QLatin1String("/../.."));
    }
    folders << data << cache;
    return folders;
}

void deleteDataAndSettings(Prefs::Suite& suite, const QStringList& folders, const MoveToTrash& moveToTrash) {
    suite.removeAll();
    for (const QString& folder : folders) {
        if (QFileInfo::exists(folder) && !moveToTrash(folder)) {
            qCInfo(kitLog).noquote() << "Could not move" << folder << "to the trash";
        }
    }
}

bool moveToTrash(const QString& path) {
    const QString dataHome = home(QProcessEnvironment::systemEnvironment(), "XDG_DATA_HOME", ".local/share");
    // Without the data home, Qt 6.4 "trashes" into the current folder.
    QDir().mkpath(dataHome + QLatin1String("/Trash/files"));
    QFile file(path);
    if (!file.moveToTrash()) {
        return false;
    }
    const QString landed = file.fileName();
    const bool inTrash =
        landed.startsWith(dataHome + QLatin1String("/Trash/")) || landed.contains(QLatin1String("/.Trash"));
    if (!inTrash) {
        qCWarning(kitLog).noquote() << "Trashing" << path << "left it at" << landed;
    }
    return inTrash && !QFileInfo::exists(path);
}

} // namespace zendra::KZApp
