#include "kit/relaunch.h"

#include "kit/logging.h"
#include "prefs/prefs.h"

#include <QLatin1String>

namespace zendra::KZApp {

namespace {

bool isRelaunchedFromArgument(const QString& argument) {
    return argument.startsWith(QLatin1String(relaunchedFromOption));
}

} // namespace

QStringList relaunchArguments(const QStringList& arguments, qint64 currentProcessId) {
    QStringList result;
    for (const auto& argument : arguments) {
        if (!isRelaunchedFromArgument(argument)) {
            result.append(argument);
        }
    }
    result.append(QLatin1String(relaunchedFromOption) + QString::number(currentProcessId));
    return result;
}

std::optional<qint64> relaunchedFrom(const QStringList& arguments) {
    for (const auto& argument : arguments) {
        if (!isRelaunchedFromArgument(argument)) {
            continue;
        }
        bool ok = false;
        const qint64 pid =
            argument.mid(int(std::char_traits<char>::length(relaunchedFromOption))).toLongLong(&ok);
        if (ok && pid > 0) {
            return pid;
        }
    }
    return std::nullopt;
}

RelaunchResult relaunch(RelaunchOptions options, ProcessControl& processes,
                        const std::shared_ptr<Prefs::Suite>& suite, const QString& program,
                        const QStringList& arguments, const std::function<void()>& persist) {
    const Prefs::Key<bool> showSettingsKey(QStringLiteral("KZ_isShowingSettingsAfterRelaunch"), false, suite);
    if (options.showSettings) {
        Prefs::set(showSettingsKey, true);
    }
    if (persist) {
        persist();
    }

    const auto started =
        processes.startDetached(program, relaunchArguments(arguments, processes.currentProcessId()));
    if (const auto* error = std::get_if<QString>(&started)) {
        // This instance goes on; it must not open the settings window at its own next launch.
        if (options.showSettings) {
            showSettingsKey.reset();
            if (persist) {
                persist();
            }
        }
        qCWarning(kitLog).noquote() << "Relaunch failed:" << *error;
        return {false, 0, *error};
    }

    const qint64 pid = std::get<qint64>(started);
    if (options.exitImmediately) {
        processes.exitImmediately(0);
    } else {
        processes.terminate();
    }
    return {true, pid, {}};
}

} // namespace zendra::KZApp
