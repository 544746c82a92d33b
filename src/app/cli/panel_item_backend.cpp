#include "app/cli/panel_item_backend.h"

#include "prefs/prefs.h"
#include "settings/catalogue.h"

#include <QtGlobal>
#include <cstdio>

namespace zendra {

std::optional<PanelItemBackend> parsePanelItemBackend(QStringView name) {
    if (name == u"auto") {
        return PanelItemBackend::automatic;
    }
    if (name == u"window") {
        return PanelItemBackend::window;
    }
    if (name == u"statusnotifier") {
        return PanelItemBackend::statusNotifier;
    }
    return std::nullopt;
}

QString panelItemBackendName(PanelItemBackend backend) {
    switch (backend) {
    case PanelItemBackend::window:
        return QStringLiteral("window");
    case PanelItemBackend::statusNotifier:
        return QStringLiteral("statusnotifier");
    case PanelItemBackend::automatic:
        break;
    }
    return QStringLiteral("auto");
}

std::optional<PanelItemBackend> parsePanelItemSetting(QStringView value) {
    if (value == u"auto") {
        return PanelItemBackend::automatic;
    }
    if (value == u"panel") {
        return PanelItemBackend::statusNotifier;
    }
    if (value == u"window") {
        return PanelItemBackend::window;
    }
    return std::nullopt;
}

PanelItemBackend chosenPanelItemBackend(std::optional<PanelItemBackend> fromCommandLine) {
    if (fromCommandLine) {
        return *fromCommandLine;
    }
    if (const QString value = qEnvironmentVariable("ZENDRA_PANEL_ITEM"); !value.isEmpty()) {
        if (const auto backend = parsePanelItemBackend(value)) {
            return *backend;
        }
        std::fprintf(stderr, "zendra: ignoring ZENDRA_PANEL_ITEM=%s (auto, window or statusnotifier)\n",
                     qPrintable(value));
    }
    const QString stored = Prefs::get(Settings::panelItem());
    if (const auto backend = parsePanelItemSetting(stored)) {
        return *backend;
    }
    std::fprintf(stderr, "zendra: ignoring the stored panelItem \"%s\" (auto, panel or window)\n",
                 qPrintable(stored));
    return PanelItemBackend::automatic;
}

} // namespace zendra
