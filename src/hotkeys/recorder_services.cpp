#include "hotkeys/recorder_services.h"

#include "hotkeys/alert_message_box.h"

#include <QApplication>
#include <QtGlobal>

namespace zendra::Hotkeys {

namespace {

RecorderServices& installed() {
    static RecorderServices services;
    return services;
}

} // namespace

void setRecorderServices(RecorderServices services) {
    installed() = std::move(services);
}

RecorderServices recorderServices() {
    return withDefaults(installed());
}

RecorderServices withDefaults(RecorderServices services) {
    if (!services.alerts) {
        services.alerts = std::make_shared<MessageBoxAlertPresenter>();
    }
    if (!services.beep) {
        services.beep = [] { QApplication::beep(); };
    }
    if (!services.reportError) {
        services.reportError = [](const QString& description) {
            qWarning("%s", qUtf8Printable(description));
        };
    }
    return services;
}

} // namespace zendra::Hotkeys
