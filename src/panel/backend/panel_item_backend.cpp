#include "panel/backend/panel_item_backend.h"

#include "prefs/prefs.h"
#include "settings/catalogue.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <cstdio>

namespace zendra {

std::optional<PanelItemBackend> parsePanelItemBackend(QStringView word) {
    if (word == u"auto") {
        return PanelItemBackend::automatic;
    }
    if (word == u"panel" || word == u"statusnotifier") {
        return PanelItemBackend::statusNotifier;
    }
    if (word == u"window") {
        return PanelItemBackend::window;
    }
    return std::nullopt;
}

QString panelItemBackendName(PanelItemBackend backend) {
    switch (backend) {
    case PanelItemBackend::window:
        return QStringLiteral("window");
    case PanelItemBackend::statusNotifier:
        return QStringLiteral("panel");
    case PanelItemBackend::automatic:
        break;
    }
    return QStringLiteral("auto");
}

QString panelItemBackendWords() {
    //: Lists the three words, which stay as they are.
    return QCoreApplication::translate("zendra::cli", "%1, %2 or %3")
        .arg(QLatin1String("auto"), QLatin1String("panel"), QLatin1String("window"));
}

PanelItemBackend chosenPanelItemBackend(std::optional<PanelItemBackend> fromCommandLine) {
    if (fromCommandLine) {
        return *fromCommandLine;
    }
    if (const QString value = qEnvironmentVariable("ZENDRA_PANEL_ITEM"); !value.isEmpty()) {
        if (const auto backend = parsePanelItemBackend(value)) {
            return *backend;
        }
        std::fprintf(stderr, "zendra: ignoring ZENDRA_PANEL_ITEM=%s (%s)\n", qPrintable(value),
                     qPrintable(panelItemBackendWords()));
    }
    const QString stored = Prefs::get(Settings::panelItem());
    if (const auto backend = parsePanelItemBackend(stored)) {
        return *backend;
    }
    std::fprintf(stderr, "zendra: ignoring the stored panelItem \"%s\" (%s)\n", qPrintable(stored),
                 qPrintable(panelItemBackendWords()));
    return PanelItemBackend::automatic;
}

} // namespace zendra
