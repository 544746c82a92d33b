#pragma once

// Gathers the facts of the debug report from the running process: the kit, the standard suite, the
// screens, the locale, and what the platform adds.

#include "kit/debug_info.h"
#include "kit/message_log.h"
#include "prefs/suite.h"

#include <QDateTime>
#include <QLocale>
#include <functional>
#include <memory>

namespace zendra::KZApp {

struct DebugSources {
    QString applicationName;
    QString version;
    QString bundleIdentifier;
    std::shared_ptr<Prefs::Suite> suite; // its persistent entries are the settings dump
    int launchCount = 0;
    std::optional<QDateTime> launchTime;
    std::function<QDateTime()> now;                 // default: the system clock
    std::function<std::optional<quint64>()> memory; // none: unavailable
    std::function<QString()> operatingSystem;       // none: the kernel's name and version
    std::function<std::optional<QString>()> model;  // none: unknown
    std::function<DebugEntries()> custom;           // none: no custom entries
    std::shared_ptr<const MessageLog> log;          // none: no log lines
};

// The locale's language and territory in English, "no language" for the C locale; none when unknown.
std::optional<QString> localeDisplayName(const QLocale& locale);

// The screens come from the GUI application when there is one (none otherwise).
DebugFacts collectDebugFacts(const DebugSources& sources);

} // namespace zendra::KZApp
