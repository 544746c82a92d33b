#include "app/app_command_line.h"

#include "kit/relaunch.h"

namespace zendra {

namespace {

CommandLine failure(QString message) {
    CommandLine result;
    result.command = CommandLine::Command::error;
    result.error = std::move(message);
    return result;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.command = CommandLine::Command::help;
            return result;
        }
        if (argument == QLatin1String("--version")) {
            result.command = CommandLine::Command::version;
            return result;
        }
        if (argument.startsWith(QLatin1String(KZApp::relaunchedFromOption))) {
            result.relaunchedFrom = KZApp::relaunchedFrom({argument});
            if (!result.relaunchedFrom) {
                return failure(QStringLiteral("invalid process id in '%1'").arg(argument));
            }
            continue;
        }
        if (argument.startsWith(QLatin1Char('-'))) {
            return failure(QStringLiteral("unknown argument '%1'").arg(argument));
        }
        if (result.url) {
            return failure(QStringLiteral("more than one URL: '%1'").arg(argument));
        }
        result.url = argument;
    }
    return result;
}

QString usageText() {
    return QStringLiteral(
        "Usage: zendra [--help] [--version] [URL]\n"
        "\n"
        "Keeps your one most important task visible in the desktop panel.\n"
        "\n"
        "  URL        A zendra: URL to open, for example \"zendra:?text=Write%20the%20report\".\n"
        "\n"
        "Options:\n"
        "  --help     Show this help and exit.\n"
        "  --version  Show the version and exit.\n");
}

} // namespace zendra
