#pragma once

// Crash reports on Linux: no crash folder exists that every desktop fills, so Zendra writes its own.

#include <QProcessEnvironment>
#include <QString>

namespace zendra::linux_crash {

// $XDG_STATE_HOME/zendra/crashes (~/.local/state/zendra/crashes by default).
QString crashReportsFolder(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// On a fatal signal (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT) writes one short report (application,
// version, signal, backtrace) named "<applicationName>-<time>-<pid>.crash" into `folder`, then lets the
// signal's default action run, so that the system's core dump handling still sees the crash. The handler
// is async-signal-safe; everything it needs is prepared here. Returns false when the folder cannot be
// created (no handler is installed then).
bool installCrashHandler(const QString& folder, const QString& applicationName, const QString& version);

} // namespace zendra::linux_crash
