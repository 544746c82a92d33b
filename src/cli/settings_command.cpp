#include "cli/settings_command.h"

#include "cli/commands.h"

namespace zendra {

int SettingsCommand::run() {
    const AutomationReply reply = client_.openSettings();
    if (!reply.ok) {
        reportError(err_, reply.error);
        return exitFailure;
    }
    return exitSuccess;
}

} // namespace zendra
