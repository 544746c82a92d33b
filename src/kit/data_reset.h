#pragma once

// Deleting every setting and the application's own folders, so that the next launch is a first one.
// A reset only ever touches the application's own settings and folders.

#include "prefs/suite.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace zendra::KZApp {

// Moves a file or folder to the user's trash; nothing when it went, else why it did not.
using MoveToTrash = std::function<std::optional<QString>(const QString& path)>;

// Whether this process runs in the Flatpak sandbox of the application `identifier`: FLATPAK_ID names
// that application and the sandbox's info file `infoFile` exists. Another program's FLATPAK_ID, which a
// terminal opened from that program's sandbox passes on, does not count.
bool runsInOwnSandbox(const QProcessEnvironment& environment, const QString& identifier,
                      const QString& infoFile = QStringLiteral("/.flatpak-info"));

// The folders a reset moves to the trash: `appFolder` under the XDG data and cache homes of
// `environment`. With `sandbox` (the application's identifier, when it runs in its own sandbox) the
// sandbox's folder comes first: the one two levels above the data folder, and only when it carries that
// identifier as its name, so that no folder holding other programs' files is ever chosen.
QStringList dataFolders(const QProcessEnvironment& environment, const QString& appFolder,
                        const std::optional<QString>& sandbox = std::nullopt);

// Removes every entry of `suite` and writes the emptied settings file (when the suite has one), then
// moves each existing folder of `folders` to the trash. Every step is tried; the result names each
// one that failed, one sentence each, and is empty when everything went.
QStringList deleteDataAndSettings(Prefs::Suite& suite, const QStringList& folders,
                                  const MoveToTrash& moveToTrash);

// Qt's trash, made safe for a missing data home: the trash folder is created first, and a move that
// reports success but did not land in a trash folder counts as a failure.
std::optional<QString> moveToTrash(const QString& path);

} // namespace zendra::KZApp
