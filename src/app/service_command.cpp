#include "app/service_command.h"

#include "app/cli/commands.h"
#include "platform/linux/x11/connection.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <iostream>
#include <optional>

namespace zendra {

namespace {

// Checked before Qt tries to connect: Qt aborts the process when it finds no display.
bool hasReachableDisplay() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return true;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") && x11::Connection().isAlive();
}

std::optional<QString> currentSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto mode = clipboard->supportsSelection() ? QClipboard::Selection : QClipboard::Clipboard;
    const QMimeData* data = clipboard->mimeData(mode);
    if (!data || !data->hasText()) {
        return std::nullopt;
    }
    return data->text();
}

} // namespace

int runServiceCommand(int& argc, char** argv) {
    if (!hasReachableDisplay()) {
        reportError(std::cerr, QCoreApplication::translate("zendra::cli",
                                                           "%1 needs a display to read the selection from")
                                   .arg(QLatin1String("service")));
        return exitFailure;
    }
    QGuiApplication application(argc, argv);
    const auto target = textTargetForSession();
    CommandStreams streams{std::cin, std::cout, std::cerr};
    return ServiceCommand(*target, streams).run(currentSelection());
}

} // namespace zendra
