#include "cli/command_line.h"

#include "cli/nearest_word.h"
#include "kit/relaunch.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <utility>

namespace zendra {

namespace {

using Command = CommandLine::Command;

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

constexpr char panelItemOption[] = "--panel-item=";

QString oneTextOnly() {
    return QCoreApplication::translate("zendra::cli", "%1 takes one text; quote a text with spaces")
        .arg(QLatin1String("set-text"));
}

CommandLine failure(QString message) {
    CommandLine result;
    result.command = Command::error;
    result.error = std::move(message);
    return result;
}

// The commands that are not one of the user's actions; those come from the actions' table.
constexpr std::array<std::pair<const char*, Command>, 6> otherCommandNames{{
    {"get-text", Command::getText},
    {"service", Command::service},
    {"watch", Command::watch},
    {"config", Command::config},
    {"debug-info", Command::debugInfo},
    {"reset", Command::reset},
}};

struct ClientCommand {
    Command command;
    std::optional<UserAction> action;
};

std::optional<ClientCommand> clientCommand(const QString& name) {
    if (const UserActionEntry* entry = userActionForCommandWord(name)) {
        // set-text brings its text; the others are the action alone.
        if (entry->action == UserAction::setText) {
            return ClientCommand{Command::setText, entry->action};
        }
        return ClientCommand{Command::action, entry->action};
    }
    for (const auto& [spelling, command] : otherCommandNames) {
        if (name == QLatin1String(spelling)) {
            return ClientCommand{command, std::nullopt};
        }
    }
    return std::nullopt;
}

QStringList commandWords() {
    QStringList words;
    for (const UserActionEntry& entry : userActions()) {
        if (entry.commandWord) {
            words << QLatin1String(entry.commandWord);
        }
    }
    for (const auto& entry : otherCommandNames) {
        words << QLatin1String(entry.first);
    }
    return words;
}

// A URL starts with a scheme: a letter, then letters, digits, "+", "-" or ".", then a colon.
bool hasScheme(const QString& argument) {
    const QString text = argument.trimmed();
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0 || !isAsciiLetter(text.front())) {
        return false;
    }
    return std::all_of(text.cbegin(), text.cbegin() + colon, [](QChar c) {
        return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    });
}

constexpr char helpCommand[] = "help";

CommandLine unknownCommand(const QString& word) {
    QStringList names = commandWords();
    names << QLatin1String(helpCommand);
    if (const auto meant = nearestWord(word, names)) {
        return failure(QCoreApplication::translate("zendra::cli", "unknown command '%1'; did you mean %2?")
                           .arg(word, *meant));
    }
    return failure(QCoreApplication::translate("zendra::cli", "unknown command '%1'; the commands are %2")
                       .arg(word, names.join(QLatin1String(", "))));
}

bool isHelp(const QString& argument) {
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

// --help and --version, which win over everything around them.
std::optional<Command> informationCommand(const QString& argument) {
    if (isHelp(argument)) {
        return Command::help;
    }
    if (argument == QLatin1String("--version")) {
        return Command::version;
    }
    return std::nullopt;
}

CommandLine only(Command command) {
    CommandLine result;
    result.command = command;
    return result;
}

// A forgotten argument, or an unquoted shell variable that is empty, must not wipe the text: only an
// explicit empty text clears it. The message says what to use instead, so no pointer to --help.
CommandLine missingText() {
    CommandLine result =
        failure(QCoreApplication::translate(
                    "zendra::cli",
                    "%1 needs a text (nothing changed); '%2' clears the text, '%3' reads standard input")
                    .arg(QLatin1String("set-text"), QLatin1String("zendra clear"),
                         QLatin1String("zendra set-text -")));
    result.pointToHelp = false;
    return result;
}

// set-text TEXT | - | -- TEXT: everything after the command is the text, except that "-" reads
// standard input and "--" lets a text start with a dash.
CommandLine parseSetText(CommandLine result, QStringList rest) {
    if (!rest.isEmpty() && rest.first() == QLatin1String("--")) {
        rest.removeFirst();
        if (rest.size() > 1) {
            return failure(oneTextOnly());
        }
        if (rest.isEmpty()) {
            return missingText();
        }
        result.text = rest.first();
        return result;
    }
    if (rest.isEmpty()) {
        return missingText();
    }
    if (isHelp(rest.first())) {
        return only(Command::help);
    }
    if (rest.size() > 1) {
        return failure(oneTextOnly());
    }
    if (rest.first() == QLatin1String("-")) {
        result.readTextFromInput = true;
    } else if (rest.first().startsWith(QLatin1Char('-'))) {
        return failure(QCoreApplication::translate(
                           "zendra::cli", "unknown option '%1'; use '%2' for a text that starts with a dash")
                           .arg(rest.first(), QLatin1String("zendra set-text -- TEXT")));
    } else {
        result.text = rest.first();
    }
    return result;
}

CommandLine parseClientCommand(const ClientCommand& client, const QString& name, const QStringList& rest) {
    const Command command = client.command;
    CommandLine result;
    result.command = command;
    result.action = client.action;
    if (command == Command::setText) {
        return parseSetText(std::move(result), rest);
    }
    if (command == Command::config && !(rest.size() == 1 && isHelp(rest.first()))) {
        result.configArguments = rest;
        return result;
    }
    for (const QString& argument : rest) {
        if (const auto info = informationCommand(argument)) {
            return only(*info);
        }
        if (command == Command::watch && argument == QLatin1String("--json")) {
            result.json = true;
            continue;
        }
        if (command == Command::reset && argument == QLatin1String("--yes")) {
            result.assumeYes = true;
            continue;
        }
        return failure(QCoreApplication::translate("zendra::cli", "unexpected argument '%1' after %2")
                           .arg(argument, name));
    }
    return result;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (const auto info = informationCommand(argument)) {
            return only(*info);
        }
        if (argument == QLatin1String(helpCommand)) {
            return only(Command::help);
        }
        if (const auto command = clientCommand(argument); command && !result.url && i == 0) {
            return parseClientCommand(*command, argument, arguments.mid(i + 1));
        }
        if (argument.startsWith(QLatin1String(KZApp::relaunchedFromOption))) {
            result.relaunchedFrom = KZApp::relaunchedFrom({argument});
            if (!result.relaunchedFrom) {
                return failure(
                    QCoreApplication::translate("zendra::cli", "invalid process id in '%1'").arg(argument));
            }
            continue;
        }
        if (argument.startsWith(QLatin1String(panelItemOption))) {
            const QString name = argument.mid(qsizetype(sizeof panelItemOption) - 1);
            result.panelItem = parsePanelItemBackend(name);
            if (!result.panelItem) {
                return failure(QCoreApplication::translate("zendra::cli", "unknown panel item '%1' (%2)")
                                   .arg(name, panelItemBackendWords()));
            }
            continue;
        }
        if (argument.startsWith(QLatin1Char('-'))) {
            return failure(QCoreApplication::translate("zendra::cli", "unknown argument '%1'").arg(argument));
        }
        if (clientCommand(argument)) {
            return failure(QCoreApplication::translate("zendra::cli", "'%1' must come first").arg(argument));
        }
        if (!hasScheme(argument)) {
            return unknownCommand(argument);
        }
        if (result.url) {
            return failure(
                QCoreApplication::translate("zendra::cli", "more than one URL: '%1'").arg(argument));
        }
        result.url = argument;
    }
    return result;
}

std::variant<QStringList, QString> decodeArguments(const QByteArrayList& arguments) {
    QStringList decoded;
    decoded.reserve(arguments.size());
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(arguments.at(i));
        if (decoder.hasError()) {
            return QCoreApplication::translate("zendra::cli", "argument %1 is not valid UTF-8").arg(i + 1);
        }
        decoded.append(std::move(text));
    }
    return decoded;
}

CommandLine commandLineOf(int argc, char** argv) {
    QByteArrayList raw;
    for (int i = 1; i < argc; ++i) {
        raw.append(QByteArray(argv[i]));
    }
    auto decoded = decodeArguments(raw);
    if (auto* error = std::get_if<QString>(&decoded)) {
        return failure(std::move(*error));
    }
    return parseCommandLine(std::get<QStringList>(decoded));
}

bool runsApplication(const CommandLine& commandLine) {
    if (commandLine.command == CommandLine::Command::run) {
        return true;
    }
    return commandLine.command == CommandLine::Command::action && commandLine.action &&
           userActionEntry(*commandLine.action).withoutApplication == WithoutApplication::startsApplication;
}

QString usageText() {
    //: The command words, option names and the URL example stay as they are.
    return QCoreApplication::translate(
        "zendra::cli",
        "Usage: zendra [URL]\n"
        "       zendra set-text TEXT | -\n"
        "       zendra get-text\n"
        "       zendra service\n"
        "       zendra watch [--json]\n"
        "       zendra toggle-editor | clear | paste | quit\n"
        "       zendra settings\n"
        "       zendra config panel-item [auto | panel | window]\n"
        "       zendra debug-info | reset [--yes]\n"
        "       zendra help | --help | --version\n"
        "\n"
        "Keeps your one most important task visible in the desktop panel. Only one instance runs;\n"
        "a second one hands its URL to the first and exits.\n"
        "\n"
        "  URL            A zendra: URL to open, for example \"zendra:?text=Write%20the%20report\".\n"
        "  set-text TEXT  Set the text exactly as given (line breaks kept); \"-\" reads standard\n"
        "                 input; an empty TEXT (\"\") clears it. Use \"set-text -- TEXT\" for a text\n"
        "                 that starts with a dash.\n"
        "  get-text       Print the text and a newline.\n"
        "  service        Set the text from the first line of the current selection.\n"
        "  watch          Print the text as the panel shows it, then each change on its own line;\n"
        "                 with --json, JSON lines with \"text\" and \"tooltip\" (for waybar).\n"
        "  toggle-editor  Show or hide the edit window.\n"
        "  clear          Clear the text.\n"
        "  paste          Set the text from the first line of the clipboard.\n"
        "  settings       Open the settings window (starting Zendra when it does not run).\n"
        "  quit           End Zendra.\n"
        "  config panel-item\n"
        "                 Print or set where the text shows from the next start: auto (the\n"
        "                 desktop's panel while it shows the item, else Zendra's own bar), panel\n"
        "                 or window (Zendra's own bar).\n"
        "  debug-info     Print the debug report to attach to a bug report.\n"
        "  reset          Delete all settings and data (after asking; --yes does not ask) and\n"
        "                 restart a running Zendra as on its first launch.\n"
        "\n"
        "set-text, get-text, watch and clear work whether or not Zendra runs.\n"
        "\n"
        "Options:\n"
        "  --panel-item=NAME  Where the item shows for this run: auto, panel or window.\n"
        "  --help             Show this help and exit.\n"
        "  --version          Show the version and exit.\n"
        "\n"
        "Exit status: 0 success, 1 failure, 2 command line not understood.\n");
}

} // namespace zendra
