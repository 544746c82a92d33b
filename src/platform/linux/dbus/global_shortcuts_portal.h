#pragma once

// Global shortcuts through the desktop portal (org.freedesktop.portal.GlobalShortcuts), which Wayland
// desktops offer instead of key grabs: one session per process, its shortcuts bound by id, presses and
// releases reported as the portal's Activated and Deactivated signals.

#include "hotkeys/desktop_shortcuts.h"
#include "platform/linux/dbus/dbus_signal_relay.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <functional>
#include <map>
#include <optional>

namespace zendra {

class GlobalShortcutsPortal final : public Hotkeys::DesktopShortcuts {
public:
    // `appId` is the desktop-file id the desktop lists the shortcuts under.
    explicit GlobalShortcutsPortal(QString appId, QDBusConnection bus = QDBusConnection::sessionBus());

    // Every step is asynchronous; a portal that is missing or refuses is reported with one line in
    // the log (category zendra.hotkeys) and leaves nothing bound. Call it once.
    void bind(std::vector<Hotkeys::DesktopShortcut> shortcuts, Handler pressed, Handler released) override;

    // The session the portal created; empty until then.
    QString session() const { return session_; }

    // The portal's name for the keys of `shortcut` ("CTRL+ALT+t", "LOGO+F5"); none for keys it has no
    // plain name for.
    static std::optional<QString> trigger(const Hotkeys::Shortcut& shortcut);

private:
    using ResponseHandler = std::function<void(uint code, const QVariantMap& results)>;

    // Calls a portal method that answers with a request object, then `onResponse` with its result.
    void request(const QString& method, QVariantList arguments, QVariantMap options,
                 ResponseHandler onResponse);
    void createSession();
    void bindShortcuts();
    QString requestPath(const QString& token) const;
    void response(const QDBusMessage& message);
    void shortcutSignal(const QDBusMessage& message);

    QString appId_;
    QDBusConnection bus_;
    std::vector<Hotkeys::DesktopShortcut> shortcuts_;
    Handler pressed_;
    Handler released_;
    QString session_;
    std::map<QString, ResponseHandler> pending_; // by request object path
    int nextToken_ = 0;
    // Declared last: destroyed first, so no signal or reply arrives into a half-destroyed object.
    DBusSignalRelay responses_{[this](const QDBusMessage& message) { response(message); }};
    DBusSignalRelay shortcutSignals_{[this](const QDBusMessage& message) { shortcutSignal(message); }};
};

} // namespace zendra
