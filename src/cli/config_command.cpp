#include "cli/config_command.h"

#include "panel/backend/panel_item_backend.h"
#include "prefs/file_suite.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/catalogue.h"

#include <QCoreApplication>
#include <array>
#include <functional>
#include <optional>
#include <ostream>

namespace zendra {

namespace {

struct ConfigSetting {
    const char* name;
    std::function<const Prefs::Key<QString>&()> key;
    // The value to store for a word given on the command line; none for a word it does not take.
    std::function<std::optional<QString>(const QString&)> value;
    std::function<QString()> words; // the words to name when one is refused
};

std::optional<QString> panelItemValue(const QString& word) {
    const auto backend = parsePanelItemBackend(word);
    return backend ? std::optional(panelItemBackendName(*backend)) : std::nullopt;
}

const std::array<ConfigSetting, 1>& configSettings() {
    static const std::array<ConfigSetting, 1> settings{{
        {"panel-item", &Settings::panelItem, &panelItemValue, &panelItemBackendWords},
    }};
    return settings;
}

QString settingNames() {
    QStringList names;
    for (const auto& setting : configSettings()) {
        names << QString::fromLatin1(setting.name);
    }
    return names.join(QLatin1String(", "));
}

} // namespace

bool ConfigCommand::written() {
    const auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(Prefs::standardSuite());
    if (file && (!file->isPersistent() || !file->flush())) {
        reportError(streams_.err,
                    QCoreApplication::translate("zendra::cli", "cannot write the preferences file %1")
                        .arg(file->path()));
        return false;
    }
    return true;
}

int ConfigCommand::run(const QStringList& arguments) {
    if (arguments.isEmpty() || arguments.size() > 2) {
        reportError(streams_.err, QCoreApplication::translate("zendra::cli", "usage: %1 (settings: %2)")
                                      .arg(QLatin1String("zendra config NAME [VALUE]"), settingNames()));
        return exitUsage;
    }
    for (const auto& setting : configSettings()) {
        if (arguments.first() != QLatin1String(setting.name)) {
            continue;
        }
        const Prefs::Key<QString>& key = setting.key();
        if (arguments.size() == 1) {
            streams_.out << Prefs::get(key).toStdString() << '\n' << std::flush;
            return exitSuccess;
        }
        const std::optional<QString> value = setting.value(arguments.at(1));
        if (!value) {
            reportError(streams_.err, QCoreApplication::translate("zendra::cli", "%1 takes %2")
                                          .arg(arguments.first(), setting.words()));
            return exitUsage;
        }
        Prefs::set(key, *value);
        return written() ? exitSuccess : exitFailure;
    }
    reportError(streams_.err, QCoreApplication::translate("zendra::cli", "no setting '%1' (settings: %2)")
                                  .arg(arguments.first(), settingNames()));
    return exitUsage;
}

} // namespace zendra
