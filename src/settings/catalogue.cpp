#include "settings/catalogue.h"

namespace zendra::Settings {

// Function-local statics give the once-only, thread-safe creation on first use. Each key holds its
// suite, so the suite outlives every key that is still in use at exit.
double systemFontSize() {
    // Linux desktops have no regular-size notion for the panel font; 13 pixels keeps the proportions
    // the item's metrics were chosen for.
    static const double size = 13.0;
    return size;
}

const Prefs::Key<double>& textSize() {
    static const Prefs::Key<double> key("textSize", systemFontSize());
    return key;
}

const Prefs::Key<double>& maximumWidth() {
    static const Prefs::Key<double> key("maximumWidth", 150.0);
    return key;
}

const Prefs::Key<bool>& legibleLinks() {
    static const Prefs::Key<bool> key("legibleLinks", false);
    return key;
}

const Prefs::Key<std::optional<QColor>>& color() {
    static const Prefs::Key<std::optional<QColor>> key("color");
    return key;
}

const Prefs::Key<std::optional<QColor>>& darkColor() {
    static const Prefs::Key<std::optional<QColor>> key("darkColor");
    return key;
}

const Prefs::Key<std::optional<double>>& menuBarTextVerticalAlignmentOffset() {
    static const Prefs::Key<std::optional<double>> key("menuBarTextVerticalAlignmentOffset");
    return key;
}

} // namespace zendra::Settings
