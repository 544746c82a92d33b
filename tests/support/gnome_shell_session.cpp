#include "support/gnome_shell_session.h"

#include "support/wait_until.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QSaveFile>
#include <stdexcept>

namespace zendra::test {

namespace {

using namespace std::chrono_literals;

constexpr auto startTimeout = 40s;
constexpr auto stopGrace = 5s;
const QString extensionsFolder = QStringLiteral("/usr/share/gnome-shell/extensions/");

} // namespace

std::optional<QString> GnomeShellSession::missingParts() {
    const auto missing = firstMissing({QStringLiteral("gnome-shell")},
                                      {extensionsFolder + QLatin1String(appIndicatorExtension)});
    if (!missing) {
        return std::nullopt;
    }
    return QStringLiteral("GNOME Shell with the AppIndicator extension is not installed (no %1; "
                          "scripts/install-deps.sh installs it)")
        .arg(*missing);
}

EnvironmentChanges GnomeShellSession::clientEnvironment() {
    return {{"XDG_CURRENT_DESKTOP", "GNOME"}, {"XDG_SESSION_TYPE", "x11"}, {"XDG_SESSION_DESKTOP", "gnome"}};
}

GnomeShellSession::GnomeShellSession(bool appIndicators) {
    if (!writeSettings(appIndicators)) {
        throw std::runtime_error("GnomeShellSession: cannot write the shell's settings");
    }
    ChildProcessOptions options;
    options.environment = home_.environment();
    for (const auto& [name, value] : clientEnvironment()) {
        options.environment[name] = value;
    }
    options.environment["GSETTINGS_BACKEND"] = "keyfile";
    options.environment["LIBGL_ALWAYS_SOFTWARE"] = "1";
    // The shell starts applications and services of its own only through the bus, which has none.
    shell_.emplace(QStringLiteral("gnome-shell"),
                   QStringList{QStringLiteral("--x11"), QStringLiteral("--replace")}, options);
    const auto ready = [&] {
        if (!shell_->isRunning()) {
            return true;
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
