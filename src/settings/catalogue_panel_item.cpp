#include "settings/catalogue.h"

namespace zendra::Settings {

// Apart from the rest of the catalogue, so that linking it pulls in no colour or GUI code.
const Prefs::Key<QString>& panelItem() {
    static const Prefs::Key<QString> key("panelItem", QStringLiteral("auto"));
    return key;
}

} // namespace zendra::Settings
