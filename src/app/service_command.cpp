#include "app/service_command.h"

#include "app/display_choice.h"
#include "cli/commands.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <iostream>
#include <optional>

namespace zendra {

namespace {

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
    // Checked before Qt tries to connect: Qt aborts the process when it finds no display.
    const x11::Connection x11;
    const DisplayChoice display = chooseDisplay(currentDisplaySession(x11));
    if (!display.canStart) {
        reportError(std::cerr, QLatin1String("service: ") + display.message);
        return exitFailure;
    }
    if (display.platform) {
        qputenv("QT_QPA_PLATFORM", *display.platform);
    }
    QGuiApplication application(argc, argv);
    const auto target = textTargetForSession();
    CommandStreams streams{std::cin, std::cout, std::cerr};
    return ServiceCommand(*target, streams).run(currentSelection());
}

} // namespace zendra
