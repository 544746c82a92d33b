#include "settings/text/text_keys.h"

namespace zendra::Settings {

// Created on first use, like every key of the catalogue.
const Prefs::Key<QString>& text() {
    static const Prefs::Key<QString> key("text", QString());
    return key;
}

const Prefs::Key<QString>& prefix() {
    static const Prefs::Key<QString> key("prefix", QString());
    return key;
}

const Prefs::Key<QString>& suffix() {
    static const Prefs::Key<QString> key("suffix", QString());
    return key;
}

} // namespace zendra::Settings
