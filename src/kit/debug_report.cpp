#include "kit/debug_report.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSysInfo>
#include <cmath>

namespace zendra::KZApp {

std::optional<QString> localeDisplayName(const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        // What LANG=C, C.UTF-8 and POSIX give: a real setting, not something unknown.
        return QStringLiteral("no language");
    }
    if (locale.language() == QLocale::AnyLanguage) {
        return std::nullopt;
    }
    QString name = QLocale::languageToString(locale.language());
    if (locale.territory() != QLocale::AnyTerritory) {
        name += QLatin1String(" (") + QLocale::territoryToString(locale.territory()) + u')';
    }
    return name;
}

DebugFacts collectDebugFacts(const DebugSources& sources) {
    DebugFacts facts;
    facts.applicationName = sources.applicationName;
    facts.version = sources.version;
    facts.bundleIdentifier = sources.bundleIdentifier;
    if (sources.launchTime && sources.launchTime->isValid()) {
        const QDateTime now = sources.now ? sources.now() : QDateTime::currentDateTimeUtc();
        const qint64 seconds = sources.launchTime->secsTo(now);
        if (seconds >= 0) {
            facts.runningTime = std::chrono::seconds(seconds);
        }
    }
    if (sources.memory) {
        facts.memoryBytes = sources.memory();
    }
    facts.launchCount = sources.launchCount;
    facts.operatingSystem = sources.operatingSystem
                                ? sources.operatingSystem()
                                : QSysInfo::kernelType() + u' ' + QSysInfo::kernelVersion();
    if (sources.model) {
        facts.model = sources.model();
    }
    facts.architecture = QSysInfo::currentCpuArchitecture();
    const QLocale locale = QLocale::system();
    facts.localeIdentifier = locale.name();
    facts.localeDisplayName = localeDisplayName(locale);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        const auto screens = QGuiApplication::screens();
        facts.screens = int(screens.size());
        if (!screens.isEmpty()) {
            facts.primaryScreenScale = std::max(1, int(std::lround(screens.front()->devicePixelRatio())));
        }
    }
    if (sources.suite) {
        facts.settings = sources.suite->persistentDomain();
    }
    if (sources.custom) {
        facts.custom = sources.custom();
    }
    if (sources.log) {
        facts.log = sources.log->lines();
    }
    return facts;
}

} // namespace zendra::KZApp
