#include "settings/shortcut_names.h"

namespace zendra::Settings {

const Hotkeys::Name& toggleEditWindow() {
    static const Hotkeys::Name name(QStringLiteral("toggleEditWindow"));
    return name;
}

const Hotkeys::Name& clearText() {
    static const Hotkeys::Name name(QStringLiteral("clearText"));
    return name;
}

const Hotkeys::Name& setTextFromClipboard() {
    static const Hotkeys::Name name(QStringLiteral("setTextFromClipboard"));
    return name;
}

} // namespace zendra::Settings
