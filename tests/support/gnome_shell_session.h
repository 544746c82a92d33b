#pragma once

#include "support/child_process.h"
#include "support/desktop_home.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>

namespace zendra::test {

// A real GNOME Shell for desktop tests: gnome-shell as the X11 window manager and compositor of the
// executable's private Xvfb (Mesa's software GL), or as a headless Wayland compositor with XWayland
// (one 1280x800 virtual monitor), on the executable's private session bus, living in a DesktopHome
// whose settings (GSettings' key file backend, so no settings service is needed) turn the AppIndicator
// extension on or off. The constructor returns once the shell runs: with the extension, once its
// StatusNotifierWatcher answers, as a logged-in user's shell does. The destructor ends the shell.
// Throws std::runtime_error, with the shell's output, when it does not start in time.
//
//     if (const auto missing = GnomeShellSession::missingParts()) {
//         GTEST_SKIP() << *missing;
//     }
//     GnomeShellSession shell;
//     ChildProcess app(ZENDRA_BINARY, {}, {shell.clientEnvironment()});
class GnomeShellSession {
public:
    static constexpr char appIndicatorExtension[] = "ubuntu-appindicators@ubuntu.com";
    enum class Backend { x11, wayland };

    // Why the session cannot run on this machine (what is not installed), or nothing.
    static std::optional<QString> missingParts(Backend backend = Backend::x11);

    explicit GnomeShellSession(bool appIndicators = true, Backend backend = Backend::x11);
    ~GnomeShellSession();
    GnomeShellSession(const GnomeShellSession&) = delete;
    GnomeShellSession& operator=(const GnomeShellSession&) = delete;

    // Turns the extension on or off in the running shell, as the user does in Extensions; returns
    // whether its watcher came or went within `timeout`.
    bool setAppIndicators(bool on, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Whether the extension's StatusNotifierWatcher answers on the session bus now.
    static bool watcherAnswers();

    // What a program started in the session sees of it, on top of the test's environment: on Wayland
    // the compositor's socket and its XWayland display with that display's authority file.
    EnvironmentChanges clientEnvironment() const;

    // What the shell wrote so far, for failure messages.
    QByteArray output() const;

private:
    bool writeSettings(bool appIndicators) const;

    bool waylandReady();

    Backend backend_;
    DesktopHome home_;
    std::optional<ChildProcess> shell_;
    EnvironmentChanges client_;
};

} // namespace zendra::test
