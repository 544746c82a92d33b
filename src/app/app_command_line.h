#pragma once

// What the command line asks for: `zendra`, `zendra URL`, `zendra --help`, `zendra --version`.
// A relaunched instance also gets the id of the instance that started it.

#include <QString>
#include <QStringList>
#include <optional>

namespace zendra {

struct CommandLine {
    enum class Command { run, help, version, error };

    Command command = Command::run;
    std::optional<QString> url;           // a URL to open once launched
    std::optional<qint64> relaunchedFrom; // wait for this process before taking over
    QString error;                        // for Command::error: what was wrong
};

// `arguments` without the program name. --help and --version win over everything after them.
CommandLine parseCommandLine(const QStringList& arguments);

// The usage text, ending in a newline.
QString usageText();

} // namespace zendra
