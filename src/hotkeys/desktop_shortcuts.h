#pragma once

#include "hotkeys/shortcut.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace zendra::Hotkeys {

// A shortcut the desktop binds itself: the application names an action, may suggest keys, and the
// desktop lets the user choose them.
struct DesktopShortcut {
    QString id;
    QString description;
    std::optional<Shortcut> preferred;
};

// Global shortcuts bound by the desktop rather than grabbed by the application (on Wayland, where
// applications cannot grab keys). Presses and releases arrive by id.
class DesktopShortcuts {
public:
    using Handler = std::function<void(const QString& id)>;

    virtual ~DesktopShortcuts() = default;

    // Asks the desktop to bind `shortcuts`, without blocking. From then on `pressed` and `released` are
    // called on the main thread for as long as this object lives. A desktop without the service, or one
    // that refuses, leaves nothing bound; the implementation says so in the log.
    virtual void bind(std::vector<DesktopShortcut> shortcuts, Handler pressed, Handler released) = 0;
};

} // namespace zendra::Hotkeys
