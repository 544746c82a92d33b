#include "cli/text_target.h"

#include "automation/saved_settings.h"
#include "prefs/file_suite.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/text/text_keys.h"
#include "text/text_actions.h"

#include <QCoreApplication>

namespace zendra {

namespace {

// Writes what the write just changed; a failure names the file.
AutomationReply written() {
    if (auto problem = saveSettingsNow()) {
        return AutomationReply::failure(std::move(*problem));
    }
    return AutomationReply::success();
}

void openFileForOneCommand() {
    Prefs::FileSuite::Options options;
    options.followOutsideChanges = false;
    Prefs::setStandardSuiteOptions(options);
}

AutomationReply notRunning(const char* what) {
    return AutomationReply::failure(
        QCoreApplication::translate("zendra::cli", "Zendra is not running; %1 needs it")
            .arg(QLatin1String(what)));
}

} // namespace

PreferencesFileTarget::PreferencesFileTarget() {
    openFileForOneCommand();
}

AutomationReply PreferencesFileTarget::setText(const QString& text) {
    Prefs::set(Settings::text(), text);
    return written();
}

AutomationReply PreferencesFileTarget::text() {
    return AutomationReply::success(Prefs::get(Settings::text()));
}

AutomationReply PreferencesFileTarget::setTextFromService(const QString& text) {
    TextActions::setTextService(text);
    return written();
}

AutomationReply PreferencesFileTarget::perform(UserAction action) {
    const UserActionEntry& entry = userActionEntry(action);
    switch (entry.withoutApplication) {
    case WithoutApplication::writesPreferences:
        if (action == UserAction::clearText) {
            TextActions::clearTextByStoring();
            return written();
        }
        break;
    case WithoutApplication::succeeds:
        return AutomationReply::success();
    case WithoutApplication::fails:
    case WithoutApplication::startsApplication:
        break;
    }
    return notRunning(entry.commandWord);
}

template <class Call, class Fallback> AutomationReply RunningAppTarget::orFile(Call call, Fallback fallback) {
    AutomationReply reply = call(client_);
    if (reply.ok || !reply.unanswered || client_.isApplicationRunning()) {
        return reply;
    }
    if (!file_) {
        file_ = std::make_unique<PreferencesFileTarget>();
    }
    return fallback(*file_);
}

AutomationReply RunningAppTarget::setText(const QString& text) {
    return orFile([&](AutomationClient& app) { return app.setText(text); },
                  [&](PreferencesFileTarget& file) { return file.setText(text); });
}

AutomationReply RunningAppTarget::text() {
    return orFile([](AutomationClient& app) { return app.text(); },
                  [](PreferencesFileTarget& file) { return file.text(); });
}

AutomationReply RunningAppTarget::setTextFromService(const QString& text) {
    return orFile([&](AutomationClient& app) { return app.setTextFromService(text); },
                  [&](PreferencesFileTarget& file) { return file.setTextFromService(text); });
}

AutomationReply RunningAppTarget::perform(UserAction action) {
    if (userActionEntry(action).withoutApplication != WithoutApplication::writesPreferences) {
        return client_.perform(action);
    }
    return orFile([action](AutomationClient& app) { return app.perform(action); },
                  [action](PreferencesFileTarget& file) { return file.perform(action); });
}

std::unique_ptr<TextTarget> textTargetForSession() {
    AutomationClient client(QDBusConnection::sessionBus());
    if (client.isApplicationRunning()) {
        return std::make_unique<RunningAppTarget>(std::move(client));
    }
    return std::make_unique<PreferencesFileTarget>();
}

} // namespace zendra
