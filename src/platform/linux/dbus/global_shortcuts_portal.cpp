#include "platform/linux/dbus/global_shortcuts_portal.h"

#include "hotkeys/display.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QLoggingCategory>

namespace zendra {

namespace {

// One entry of the portal's a(sa{sv}) shortcut lists.
struct PortalShortcut {
    QString id;
    QVariantMap options;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.options;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.options;
    argument.endStructure();
    return argument;
}

} // namespace

} // namespace zendra

Q_DECLARE_METATYPE(zendra::PortalShortcut)

namespace zendra {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

const QLoggingCategory& log() {
    static const QLoggingCategory category("zendra.hotkeys");
    return category;
}

void registerTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<PortalShortcut>();
        qDBusRegisterMetaType<QList<PortalShortcut>>();
        return true;
    }();
    Q_UNUSED(registered);
}

// The session handle comes as an object path from some portals and as a string from others.
QString pathText(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusObjectPath>()) {
        return value.value<QDBusObjectPath>().path();
    }
    return value.toString();
}

// What a{sv} and a(sa{sv}) values are once they arrive inside a variant.
template <class T> T demarshalled(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        return qdbus_cast<T>(value.value<QDBusArgument>());
    }
    return value.value<T>();
}

} // namespace

GlobalShortcutsPortal::GlobalShortcutsPortal(QString appId, QDBusConnection bus)
    : appId_(std::move(appId)), bus_(std::move(bus)) {
    registerTypes();
}

std::optional<QString> GlobalShortcutsPortal::trigger(const Hotkeys::Shortcut& shortcut) {
    const auto key = Hotkeys::characterForKeyCode(shortcut.carbonKeyCode);
    if (!key) {
        return std::nullopt;
    }
    const bool functionKey = key->size() > 1 && key->startsWith(u'F') && key->mid(1).toInt() > 0;
    const bool plainKey = key->size() == 1 && key->front().isLetterOrNumber() && key->front().unicode() < 128;
    if (!functionKey && !plainKey) {
        return std::nullopt;
    }
    QStringList parts;
    const std::int64_t modifiers = shortcut.carbonModifiers;
    for (const auto& [mask, name] : {std::pair{Hotkeys::CarbonModifier::control, "CTRL"},
                                     std::pair{Hotkeys::CarbonModifier::option, "ALT"},
                                     std::pair{Hotkeys::CarbonModifier::shift, "SHIFT"},
                                     std::pair{Hotkeys::CarbonModifier::command, "LOGO"}}) {
        if (modifiers & mask) {
            parts << QLatin1String(name);
        }
    }
    parts << (plainKey ? key->toLower() : *key);
    return parts.join(u'+');
}

void GlobalShortcutsPortal::bind(std::vector<Hotkeys::DesktopShortcut> shortcuts, Handler pressed,
                                 Handler released) {
    shortcuts_ = std::move(shortcuts);
    pressed_ = std::move(pressed);
    released_ = std::move(released);
    if (!bus_.isConnected()) {
        qCWarning(log) << "No session bus: global shortcuts through the desktop portal are unavailable";
        return;
    }
    for (const QString& name : {QStringLiteral("Activated"), QStringLiteral("Deactivated")}) {
        shortcutSignals_.listen(bus_, portalService, portalPath, shortcutsInterface, name);
    }

    // A program outside a sandbox names itself first, on portals that ask for it; older ones answer
    // with an error, which changes nothing. Messages arrive in order, so it precedes the calls below.
    QDBusMessage registration = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    registration << appId_ << QVariantMap();
    bus_.call(registration, QDBus::NoBlock);

    // Whether the desktop offers the interface at all: its version property answers.
    QDBusMessage get = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << shortcutsInterface << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get), &responses_);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, &responses_, [this](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            const QDBusPendingReply<QDBusVariant> reply = *finished;
            if (reply.isError()) {
                qCWarning(log).noquote()
                    << "The desktop portal offers no global shortcuts (" + shortcutsInterface + ": " +
                           reply.error().name() +
                           "); bind \"zendra toggle-editor\", \"zendra clear\" and \"zendra paste\" in the "
                           "desktop's keyboard settings instead";
                return;
            }
            createSession();
        });
}

QString GlobalShortcutsPortal::requestPath(const QString& token) const {
    QString sender = bus_.baseService().mid(1);
    sender.replace(u'.', u'_');
    return portalPath + QStringLiteral("/request/") + sender + u'/' + token;
}

void GlobalShortcutsPortal::request(const QString& method, QVariantList arguments, QVariantMap options,
                                    ResponseHandler onResponse) {
    const QString token = QStringLiteral("zendra%1").arg(++nextToken_);
    options.insert(QStringLiteral("handle_token"), token);
    // Listened to before the call, so that a quick answer is not missed.
    const QString path = requestPath(token);
    responses_.listen(bus_, portalService, path, requestInterface, QStringLiteral("Response"));
    pending_[path] = std::move(onResponse);

    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
    arguments << options;
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), &responses_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &responses_,
                     [this, method, path](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                         if (reply.isError()) {
                             qCWarning(log).noquote() << "The desktop portal's " + method +
                                                             " failed; global shortcuts are unavailable: " +
                                                             reply.error().message();
                             pending_.erase(path);
                             responses_.stopListening(bus_, portalService, path, requestInterface,
                                                      QStringLiteral("Response"));
                             return;
                         }
                         // Portals older than the handle token answer on a path of their own choosing.
                         const QString answered = reply.value().path();
                         if (answered != path) {
                             if (auto found = pending_.extract(path)) {
                                 found.key() = answered;
                                 pending_.insert(std::move(found));
                                 responses_.listen(bus_, portalService, answered, requestInterface,
                                                   QStringLiteral("Response"));
                             }
                         }
                     });
}

void GlobalShortcutsPortal::response(const QDBusMessage& message) {
    const auto found = pending_.find(message.path());
    const QVariantList arguments = message.arguments();
    if (found == pending_.end() || arguments.size() < 2) {
        return;
    }
    const ResponseHandler handler = std::move(found->second);
    pending_.erase(found);
    responses_.stopListening(bus_, portalService, message.path(), requestInterface,
                             QStringLiteral("Response"));
    handler(arguments[0].toUInt(), demarshalled<QVariantMap>(arguments[1]));
}

void GlobalShortcutsPortal::createSession() {
    QVariantMap options{{QStringLiteral("session_handle_token"), QStringLiteral("zendra")}};
    request(QStringLiteral("CreateSession"), {}, options, [this](uint code, const QVariantMap& results) {
        const QString session = pathText(results.value(QStringLiteral("session_handle")));
        if (code != 0 || session.isEmpty()) {
            qCWarning(log) << "The desktop portal did not open a global shortcuts session (response" << code
                           << "); global shortcuts are unavailable";
            return;
        }
        session_ = session;
        bindShortcuts();
    });
}

void GlobalShortcutsPortal::bindShortcuts() {
    QList<PortalShortcut> list;
    for (const auto& shortcut : shortcuts_) {
        QVariantMap options{{QStringLiteral("description"), shortcut.description}};
        if (const auto keys = shortcut.preferred ? trigger(*shortcut.preferred) : std::nullopt) {
            options.insert(QStringLiteral("preferred_trigger"), *keys);
        }
        list.push_back({shortcut.id, options});
    }
    const QVariantList arguments{QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(list),
                                 QString()};
    request(QStringLiteral("BindShortcuts"), arguments, {}, [this](uint code, const QVariantMap& results) {
        if (code != 0) {
            qCWarning(log) << "The desktop did not bind the global shortcuts (response" << code << ")";
            return;
        }
        QStringList bound;
        for (const auto& shortcut :
             demarshalled<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")))) {
            const QString keys = shortcut.options.value(QStringLiteral("trigger_description")).toString();
            bound << (keys.isEmpty() ? shortcut.id : shortcut.id + QStringLiteral(" (") + keys + u')');
        }
        if (bound.isEmpty()) {
            for (const auto& shortcut : shortcuts_) {
                bound << shortcut.id;
            }
        }
        qCInfo(log).noquote() << "Global shortcuts bound through the desktop portal:" << bound.join(u", ");
    });
}

void GlobalShortcutsPortal::shortcutSignal(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || session_.isEmpty() || pathText(arguments[0]) != session_) {
        return;
    }
    const Handler& handler = message.member() == QLatin1String("Activated") ? pressed_ : released_;
    if (handler) {
        handler(arguments[1].toString());
    }
}

} // namespace zendra
