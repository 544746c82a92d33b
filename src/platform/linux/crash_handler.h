#pragma once

// Crash reports on Linux: no crash folder exists that every desktop fills, so Zendra writes its own.

#include <QProcessEnvironment>
#include <QString>

namespace zendra::linux_crash {

// $XDG_STATE_HOME/zendra/crashes (~/.local/state/zendra/crashes by default).
QString crashReportsFolder(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// The most reports the folder holds for one application: a crash at every start cannot fill the disk.
inline constexpr int maxCrashReports = 32;

// Removes the oldest of the application's reports ("<applicationName>-*.crash") in `folder` until at
// most `keep` are left. Other files are left alone.
void pruneCrashReports(const QString& folder, const QString& applicationName, int keep);

// On a fatal signal (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT) writes one short report (application,
// version, signal, backtrace) named "<applicationName>-<time>-<pid>.crash" into `folder`, then lets the
// signal's default action run, so that the system's core dump handling still sees the crash. The handler
// is async-signal-safe; everything it needs is prepared here, including room for the report: the oldest
// reports go until fewer than maxCrashReports are left. A fault inside the handler ends the process.
// Returns false when the folder cannot be created or written, or is not a folder (no handler is
// installed then).
bool installCrashHandler(const QString& folder, const QString& applicationName, const QString& version);

} // namespace zendra::linux_crash
