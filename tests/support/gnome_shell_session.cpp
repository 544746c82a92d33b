#include "support/gnome_shell_session.h"

#include "support/wait_until.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <stdexcept>

namespace zendra::test {

namespace {

using namespace std::chrono_literals;

constexpr auto startTimeout = 40s;
constexpr auto stopGrace = 5s;
const QString extensionsFolder = QStringLiteral("/usr/share/gnome-shell/extensions/");

} // namespace

std::optional<QString> GnomeShellSession::missingParts(Backend backend) {
    QStringList programs{QStringLiteral("gnome-shell")};
    if (backend == Backend::wayland) {
        programs << QStringLiteral("Xwayland");
    }
    const auto missing = firstMissing(programs, {extensionsFolder + QLatin1String(appIndicatorExtension)});
    if (!missing) {
        return std::nullopt;
    }
    return QStringLiteral("GNOME Shell with the AppIndicator extension is not installed (no %1; "
                          "scripts/install-deps.sh installs it)")
        .arg(*missing);
}

EnvironmentChanges GnomeShellSession::clientEnvironment() const {
    return client_;
}

GnomeShellSession::GnomeShellSession(bool appIndicators, Backend backend)
    : backend_(backend), client_{{"XDG_CURRENT_DESKTOP", "GNOME"},
                                 {"XDG_SESSION_DESKTOP", "gnome"},
                                 {"XDG_SESSION_TYPE", backend == Backend::wayland ? "wayland" : "x11"},
                                 // Programs choose their display as in a login session.
                                 {"QT_QPA_PLATFORM", std::nullopt}} {
    if (!writeSettings(appIndicators)) {
        throw std::runtime_error("GnomeShellSession: cannot write the shell's settings");
    }
    ChildProcessOptions options;
    options.environment = home_.environment();
    for (const auto& [name, value] : client_) {
        options.environment[name] = value;
    }
    options.environment["GSETTINGS_BACKEND"] = "keyfile";
    options.environment["LIBGL_ALWAYS_SOFTWARE"] = "1";
    // The shell starts applications and services of its own only through the bus, which has none.
    QStringList arguments{QStringLiteral("--x11"), QStringLiteral("--replace")};
    if (backend == Backend::wayland) {
        arguments = {QStringLiteral("--wayland"), QStringLiteral("--headless"),
                     QStringLiteral("--virtual-monitor"), QStringLiteral("1280x800")};
        options.environment["DISPLAY"] = std::nullopt;
        options.environment["XAUTHORITY"] = std::nullopt;
    }
    shell_.emplace(QStringLiteral("gnome-shell"), arguments, options);
    const auto ready = [&] {
        if (!shell_->isRunning()) {
            return true;
        }
        if (backend_ == Backend::wayland && !waylandReady()) {
            return false;
        }
        if (appIndicators) {
            return watcherAnswers();
        }
        const auto bus = QDBusConnection::sessionBus().interface();
        return bus && bus->isServiceRegistered(QStringLiteral("org.gnome.Shell")).value();
    };
    if (!waitUntil(ready, startTimeout) || !shell_->isRunning()) {
        const QByteArray log = output();
        shell_.reset();
        throw std::runtime_error("GnomeShellSession: gnome-shell did not start; its output:\n" +
                                 log.toStdString());
    }
}

GnomeShellSession::~GnomeShellSession() {
    if (shell_) {
        shell_->terminate(stopGrace);
    }
}

bool GnomeShellSession::waylandReady() {
    // mutter names its XWayland display once it listens there, and writes the display's authority
    // file into the runtime folder; XWayland itself starts with the first X11 client.
    static const QRegularExpression announced(QStringLiteral("Using public X11 display (:[0-9]+)"));
    const auto match = announced.match(QString::fromUtf8(output()));
    const QString runtime = QFile::decodeName(home_.environment().at("XDG_RUNTIME_DIR").value());
    const QStringList auth =
        QDir(runtime).entryList({QStringLiteral(".mutter-Xwaylandauth.*")}, QDir::Files | QDir::Hidden);
    if (!match.hasMatch() || auth.isEmpty() || !QFile::exists(runtime + QStringLiteral("/wayland-0"))) {
        return false;
    }
    client_["WAYLAND_DISPLAY"] = QFile::encodeName(runtime + QStringLiteral("/wayland-0"));
    client_["DISPLAY"] = match.captured(1).toUtf8();
    client_["XAUTHORITY"] = QFile::encodeName(runtime + QLatin1Char('/') + auth.constFirst());
    return true;
}

bool GnomeShellSession::writeSettings(bool appIndicators) const {
    const QString folder = home_.configHome() + QStringLiteral("/glib-2.0/settings");
    QDir().mkpath(folder);
    // The shell follows changes of this file while it runs. Its welcome tour would cover the screen.
    QSaveFile file(folder + QStringLiteral("/keyfile"));
    const QByteArray extensions =
        appIndicators ? QByteArray("['") + appIndicatorExtension + "']" : QByteArray("@as []");
    return file.open(QIODevice::WriteOnly) &&
           file.write("[org/gnome/shell]\nenabled-extensions=" + extensions +
                      "\nwelcome-dialog-last-shown-version='999'\n") > 0 &&
           file.commit();
}

bool GnomeShellSession::setAppIndicators(bool on, std::chrono::milliseconds timeout) {
    return writeSettings(on) && waitUntil([on] { return watcherAnswers() == on; }, timeout);
}

bool GnomeShellSession::watcherAnswers() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierWatcher")
        << QStringLiteral("IsStatusNotifierHostRegistered");
    return QDBusConnection::sessionBus().call(get, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

QByteArray GnomeShellSession::output() const {
    return shell_ ? shell_->standardOutput() + shell_->standardError() : QByteArray();
}

} // namespace zendra::test
