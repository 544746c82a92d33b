#include "app/cli/text_target.h"

#include "app/text/text_actions.h"
#include "prefs/file_suite.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/text/text_keys.h"

#include <QCoreApplication>

namespace zendra {

namespace {

// Writes what the write just changed; a failure names the file.
AutomationReply written() {
    const auto suite = Prefs::standardSuite();
    const auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(suite);
    if (!file) {
        return AutomationReply::success();
    }
    if (!file->isPersistent() || !file->flush()) {
        return AutomationReply::failure(
            QCoreApplication::translate("zendra::cli", "cannot write the preferences file %1")
                .arg(file->path()));
    }
    return AutomationReply::success();
}

AutomationReply notRunning(const char* what) {
    return AutomationReply::failure(
        QCoreApplication::translate("zendra::cli", "Zendra is not running; %1 needs it")
            .arg(QLatin1String(what)));
}

} // namespace

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

AutomationReply PreferencesFileTarget::clear() {
    TextActions::clearTextByStoring();
    return written();
}

AutomationReply PreferencesFileTarget::toggleEditor() {
    return notRunning("toggle-editor");
}

AutomationReply PreferencesFileTarget::paste() {
    return notRunning("paste");
}

std::unique_ptr<TextTarget> textTargetForSession() {
    AutomationClient client(QDBusConnection::sessionBus());
    if (client.isApplicationRunning()) {
        return std::make_unique<RunningAppTarget>(std::move(client));
    }
    Prefs::FileSuite::Options options;
    options.followOutsideChanges = false;
    Prefs::setStandardSuiteOptions(options);
    return std::make_unique<PreferencesFileTarget>();
}

} // namespace zendra
