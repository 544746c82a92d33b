#pragma once

// What the command line asks for: start (optionally with a URL), one of the user's actions or the
// other client commands that talk to the running instance or the preferences file, --help or --version. A
// relaunched instance also gets the id of the instance that started it.

#include "actions/user_actions.h"
#include "panel/backend/panel_item_backend.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace zendra {

struct CommandLine {
    enum class Command {
        run,
        help,
        version,
        error,
        setText,
        getText,
        service,
        watch,
        action,
        config,
        debugInfo,
        reset
    };

    Command command = Command::run;
    std::optional<UserAction> action;          // action (and set-text): which of the user's actions
    std::optional<QString> url;                // run: a URL to open once launched
    std::optional<qint64> relaunchedFrom;      // run: wait for this process before taking over
    std::optional<PanelItemBackend> panelItem; // run: where the item shows, over the environment's choice
    std::optional<QString> text;               // set-text: the text; none when it comes from input
    bool readTextFromInput = false;            // set-text -: the text comes from standard input
    bool json = false;                         // watch --json
    QStringList configArguments;               // config: what follows the command
    bool assumeYes = false;                    // reset --yes
    QString error;                             // for Command::error: what was wrong
    bool pointToHelp = true;                   // for Command::error: follow it with a pointer to --help
};

// `arguments` without the program name. --help and --version win over everything else, except a
// text given to set-text. A positional argument is a URL only when it starts with a scheme; any other
// word is an error that lists the commands.
CommandLine parseCommandLine(const QStringList& arguments);

// The process's arguments as text; an error message naming the first argument that is not UTF-8.
std::variant<QStringList, QString> decodeArguments(const QByteArrayList& arguments);

// The process's arguments (argv[0] is the program), decoded and parsed; arguments that are not UTF-8
// give Command::error.
CommandLine commandLineOf(int argc, char** argv);

// Whether the command runs the application itself: a start, or an action that starts Zendra when it
// does not run (settings).
bool runsApplication(const CommandLine& commandLine);

// The usage text, ending in a newline.
QString usageText();

} // namespace zendra
