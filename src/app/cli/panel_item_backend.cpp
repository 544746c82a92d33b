#include "app/cli/panel_item_backend.h"

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

PanelItemBackend panelItemBackendFromEnvironment() {
    const QString value = qEnvironmentVariable("ZENDRA_PANEL_ITEM");
    if (value.isEmpty()) {
        return PanelItemBackend::automatic;
    }
    if (const auto backend = parsePanelItemBackend(value)) {
        return *backend;
    }
    std::fprintf(stderr, "zendra: ignoring ZENDRA_PANEL_ITEM=%s (auto, window or statusnotifier)\n",
                 qPrintable(value));
    return PanelItemBackend::automatic;
}

} // namespace zendra
