#pragma once

// Deleting every setting and the application's own folders, so that the next launch is a first one.

#include "prefs/suite.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

namespace zendra::KZApp {

// Moves a file or folder to the user's trash; false when it could not.
using MoveToTrash = std::function<bool(const QString& path)>;

// The folders a reset moves to the trash, for the application's folder name `appFolder` under the XDG
// data and cache homes of `environment`. Inside a Flatpak sandbox (FLATPAK_ID set) the sandbox's own
// folder, two levels above the data folder, comes first.
QStringList dataFolders(const QProcessEnvironment& environment, const QString& appFolder);

// Removes every entry of `suite` and moves each existing folder of `folders` to the trash. Failing file
// operations are skipped.
void deleteDataAndSettings(Prefs::Suite& suite, const QStringList& folders, const MoveToTrash& moveToTrash);

// Qt's trash, made safe for a missing data home: the trash folder is created first, and a move that
// reports success but did not land in a trash folder counts as a failure.
bool moveToTrash(const QString& path);

} // namespace zendra::KZApp
