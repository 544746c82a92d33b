#include "app/app_support.h"

#include "base/identity.h"
#include "cli/reset_command.h"
#include "kit/kit.h"
#include "platform/linux/crash_handler.h"
#include "platform/linux/desktop_services.h"
#include "platform/linux/device_facts.h"
#include "platform/linux/panel_host_query.h"
#include "platform/linux/x11/window_activation.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "watchdog/memory_watchdog.h"

#include <QCoreApplication>
#include <QDBusConnection>

namespace zendra {

namespace {

// Long enough for a panel on a busy desktop, short enough not to be felt.
constexpr int panelHostQueryTimeoutMs = 300;

QString yesNo(std::optional<bool> value) {
    if (!value) {
        return QStringLiteral("<Unknown>");
    }
    return *value ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace

KZApp::DebugEntries linuxDebugEntries(PanelItemBackend panelItem, std::optional<bool> onScreen) {
    KZApp::DebugEntries entries = linux_facts::sessionEntries(QProcessEnvironment::systemEnvironment());
    entries.emplace_back(QStringLiteral("Panel Item"), panelItemBackendName(panelItem));
    if (onScreen) {
        entries.emplace_back(QStringLiteral("Panel Item On Screen"), yesNo(onScreen));
    }
    entries.emplace_back(
        QStringLiteral("Panel Host Registered"),
        yesNo(linux_panel::isPanelHostRegistered(QDBusConnection::sessionBus(), panelHostQueryTimeoutMs)));
    return entries;
}

KZApp::DebugSources linuxDebugSources(const KZKit* kit, std::shared_ptr<const KZApp::MessageLog> log,
                                      std::function<KZApp::DebugEntries()> custom) {
    KZApp::DebugSources sources;
    sources.applicationName = QString::fromUtf8(identity::applicationName);
    sources.version = QString::fromUtf8(identity::version);
    sources.bundleIdentifier = QString::fromUtf8(identity::bundleIdentifier);
    sources.suite = kit != nullptr ? kit->suite() : Prefs::standardSuite();
    if (kit != nullptr) {
        sources.launchCount = kit->launchCount();
        sources.launchTime = kit->launchTime();
    } else {
        sources.launchCount = Prefs::get(Prefs::Key<int>(QStringLiteral("KZ_launchCount"), 0, sources.suite));
    }
    sources.operatingSystem = &linux_facts::operatingSystem;
    sources.model = &linux_facts::hardwareModel;
    sources.custom = std::move(custom);
    sources.log = std::move(log);
    return sources;
}

KZApp::DebugActions linuxDebugActions(std::function<KZApp::DebugFacts()> facts,
                                      std::function<QStringList()> reset, std::function<void()> relaunch) {
    KZApp::DebugActions actions;
    actions.applicationName = QString::fromUtf8(identity::applicationName);
    actions.feedbackPage = QUrl(QString::fromUtf8(identity::feedbackPage));
    actions.supportAddress = QString::fromUtf8(identity::supportEmail);
    actions.crashReportsFolder = linux_crash::crashReportsFolder();
    actions.facts = std::move(facts);
    actions.desktop = std::make_shared<linux_desktop::DesktopServices>();
    actions.reset = std::move(reset);
    actions.relaunch = std::move(relaunch);
    actions.activateWindow = &x11::activateWindow;
    return actions;
}

AppSupport::AppSupport() : log_(std::make_shared<KZApp::MessageLog>()) {
    log_->install();
    linux_crash::installCrashHandler(linux_crash::crashReportsFolder(),
                                     QString::fromUtf8(identity::applicationName),
                                     QString::fromUtf8(identity::version));
}

AppSupport::~AppSupport() = default;

void AppSupport::start(Environment environment) {
    auto custom = [panelItem = environment.panelItem, onScreen = environment.itemOnScreen] {
        return linuxDebugEntries(panelItem, onScreen ? onScreen() : std::nullopt);
    };
    auto sources = linuxDebugSources(environment.kit, log_, std::move(custom));
    if (const auto footprint = environment.footprint) {
        sources.memory = [footprint]() -> std::optional<quint64> {
            const auto bytes = footprint->bytes();
            return bytes > 0 ? std::optional<quint64>(bytes) : std::nullopt;
        };
    }
    auto facts = [sources = std::move(sources)] { return KZApp::collectDebugFacts(sources); };
    actions_ = std::make_unique<KZApp::DebugActions>(
        linuxDebugActions(std::move(facts), &resetDataAndSettings, std::move(environment.relaunch)));
    userWindow_ = std::make_unique<KZApp::UserDebugWindowController>(*actions_);
    debugWindow_ = std::make_unique<KZApp::DebugWindowController>(
        environment.kit != nullptr ? environment.kit->suite() : Prefs::standardSuite(), log_);
}

void AppSupport::showUserDebugWindow() {
    if (userWindow_) {
        userWindow_->show();
    }
}

void AppSupport::showDebugWindow() {
    if (debugWindow_) {
        debugWindow_->show();
    }
}

void AppSupport::promptDataReset() {
    if (actions_) {
        actions_->promptDataResetAtLaunch();
    }
}

} // namespace zendra
