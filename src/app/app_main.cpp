#include "app/app_main.h"

#include "app/app_state.h"
#include "app/app_support.h"
#include "app/display_choice.h"
#include "automation/text_intents.h"
#include "base/identity.h"
#include "cli/translations.h"
#include "editor/main_screen.h"
#include "hotkeys/environment.h"
#include "kit/alert_boxes.h"
#include "kit/kit.h"
#include "kit/relaunch.h"
#include "kit/single_windows.h"
#include "kit/visibility_check.h"
#include "login_launch/login_launch.h"
#include "platform/linux/autostart_login_platform.h"
#include "platform/linux/dbus/panel_appearance_portal.h"
#include "platform/linux/desktop_effects.h"
#include "platform/linux/desktop_shortcuts.h"
#include "platform/linux/session/linux_session.h"
#include "platform/linux/panel_item_backends.h"
#include "platform/linux/process_control.h"
#include "platform/linux/session_services.h"
#include "prefs/file_suite.h"
#include "prefs/standard_suite.h"
#include "welcome/welcome_window_controller.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QScreen>
#include <QWidget>

namespace zendra {

// The Linux side of the platform interfaces, made once for the session and kept for the process.
struct AppMain::Platform {
    explicit Platform(LinuxSession current)
        : session(std::move(current)), services(makeSessionServices(session)) {}

    const LinuxSession session;
    SessionServices services;
    std::shared_ptr<linux_process::ProcessControl> processes =
        std::make_shared<linux_process::ProcessControl>();
    std::shared_ptr<LinuxDesktopEffects> effects = std::make_shared<LinuxDesktopEffects>();
    std::unique_ptr<Hotkeys::DesktopShortcuts> desktopShortcuts;
    // The panel's light or dark look, for the default colour of the settings' colour wells.
    std::shared_ptr<PortalPanelAppearance> panelAppearance = std::make_shared<PortalPanelAppearance>();
};

namespace {

void flushStandardSuite() {
    if (const auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(Prefs::standardSuite())) {
        file->flush();
    }
}

std::vector<KZApp::ScreenArea> screenAreas() {
    std::vector<KZApp::ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back({screen->geometry(), screen->availableGeometry(), std::nullopt});
    }
    return areas;
}

void startVisibilityCheck(StatusItem& item, const QString& advice, std::function<void()> openSettings,
                          KZApp::AlertActivation activate) {
    KZApp::VisibilityCheck check;
    check.suite = Prefs::standardSuite();
    check.presence = [&item] {
        return KZApp::ItemPresence{true, true, item.isOnScreen(), item.isAwaitingHost()};
    };
    check.screens = &screenAreas;
    // It comes up a moment after launch, often while the user works elsewhere: brought forward.
    check.showAlert = [activate = std::move(activate)](const KZApp::VisibilityAlert& alert) {
        return KZApp::showVisibilityAlertBox(alert, activate);
    };
    check.openSettings = std::move(openSettings);
    KZApp::ensureVisibility(std::move(check), advice);
}

void installPlatform(QApplication& application, Hotkeys::Environment hotkeys) {
    // The application lives in the panel item; closing the edit window must not end it.
    application.setQuitOnLastWindowClosed(false);
    // A termination signal writes the pending preferences, then ends the event loop normally. It ends
    // every event loop: quit() would ask the windows first, and an open alert without a cancel button
    // refuses to close, which kept the application running.
    Prefs::FileSuite::installTerminationFlush([](int) {
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &flushStandardSuite);
    Hotkeys::setEnvironment(std::move(hotkeys));
    LoginLaunch::setPlatform(std::make_shared<autostart::AutostartLoginPlatform>(
        QString::fromUtf8(identity::bundleIdentifier), QString::fromUtf8(identity::applicationName),
        QCoreApplication::applicationFilePath()));
}

} // namespace

AppMain::AppMain(QApplication& application, PanelItemBackend panelItem, QStringList relaunchArguments)
    : support_(std::make_unique<AppSupport>()) {
    // Before anything builds a text the user sees.
    installTranslations(application);
    platform_ = std::make_unique<Platform>(LinuxSession::current());
    installPlatform(application, std::move(platform_->services.hotkeys));
    platform_->desktopShortcuts = bindShortcutsOnDesktop(platform_->session);

    KZKit::Environment kitEnvironment;
    kitEnvironment.modifiers = platform_->services.keyboardModifiers;
    kitEnvironment.hooks.openDebugWindow = [this] { support_->showUserDebugWindow(); };
    kitEnvironment.hooks.runDataResetPrompt = [this] { support_->promptDataReset(); };
    kzkit_ = std::make_unique<KZKit>(std::move(kitEnvironment));
    windows_ = std::make_unique<KZApp::SingleWindows>(platform_->effects);
    auto relaunch = [this, arguments = relaunchArguments] {
        return KZApp::relaunch({}, *platform_->processes, kzkit_->suite(),
                               QCoreApplication::applicationFilePath(), arguments, &flushStandardSuite)
            .started;
    };
    support_->start({kzkit_.get(), platform_->services.footprint, panelItem,
                     []() -> std::optional<bool> {
                         if (!AppState::isSharedCreated() || AppState::shared().statusItem() == nullptr) {
                             return std::nullopt;
                         }
                         return AppState::shared().statusItem()->isOnScreen();
                     },
                     relaunch});

    // Only this object holds the edit window; everyone else looks it up by its class when needed.
    const EditWindowLookup editWindows(MainScreen::staticMetaObject);
    Settings::SettingsWindow::Environment settings;
    settings.screen.isPanelDark = [appearance = platform_->panelAppearance] { return appearance->isDark(); };
    settings.screen.hasGlobalShortcuts = platform_->services.hasSystemWideKeyGrabs;
    settings.activate = platform_->services.activateWindow;
    appDelegate_ = std::make_unique<AppDelegate>(
        editWindows,
        [editWindows](const QString& url) {
            if (auto* screen = qobject_cast<MainScreen*>(editWindows.lastEditWindow())) {
                screen->openUrl(url);
            } else {
                setTextFromUrl(url);
            }
        },
        std::move(settings));
    kzkit_->hooks().openSettings = [this] { appDelegate_->openSettingsWindow(); };
    registerAutomationIntents(appDelegate_->intentRoutes());

    AppState::installShared([this, editWindows, panelItem, relaunch] {
        AppState::Environment env;
        env.editWindows = editWindows;
        env.makeStatusItem = [panelItem](StatusItemCallbacks callbacks) {
            auto backends = linux_panel::makePanelItemBackends(panelItem, callbacks.buildMenu,
                                                               &chooseAutomaticPanelPlace);
            return makePanelStatusItem(std::move(backends), std::move(callbacks));
        };
        env.idleTime = platform_->services.idleTime;
        env.footprint = platform_->services.footprint;
        env.launchDate = kzkit_->launchTime();
        env.isFirstLaunch = [this] { return kzkit_->isFirstLaunch(); };
        env.isDebugMode = [this] { return kzkit_->isDebugMode(); };
        env.showDebugWindow = [this] { support_->showDebugWindow(); };
        env.relaunch = relaunch;
        env.openSettings = [this] { appDelegate_->openSettingsWindow(); };
        env.launchSteps.startVisibilityCheck = [this](StatusItem& item, const QString& advice) {
            startVisibilityCheck(
                item, advice, [this] { appDelegate_->openSettingsWindow(); },
                platform_->services.activateWindow);
        };
        env.launchSteps.requestReview = [this] { kzkit_->requestReview(KZApp::reviewRequestCounts); };
        env.launchSteps.showWelcomeWindow = [this] {
            WelcomeScreen::Environment welcome;
            welcome.itemFrame = [] {
                const StatusItem* item = AppState::shared().statusItem();
                return item != nullptr ? item->anchorRect() : std::nullopt;
            };
            welcome.effects = platform_->effects;
            windows_->show<WelcomeWindowController>(KZApp::SingleWindows::Presentation::fadeIn,
                                                    std::move(welcome));
        };
        env.activateWindow = platform_->services.activateWindow;
        return std::make_unique<AppState>(std::move(env));
    });

    LoginLaunch::migrateIfNeeded();

    // The window group: the edit window, built hidden.
    auto editWindow = std::make_unique<MainScreen>();
    editWindow->actionHooks().openSettings = [this] { appDelegate_->openSettingsWindow(); };
    // Typing goes to the field whenever the window is shown, not to the first toolbar button.
    editWindow->field()->setFocus();
    editWindow->actionHooks().sendFeedback = [this] { support_->actions().openFeedback(); };
    editWindow_ = std::move(editWindow);
    // Creating the central state schedules the launch routine on the main queue.
    AppState::shared();
    appDelegate_->applicationDidFinishLaunching();
}

AppMain::~AppMain() = default;

} // namespace zendra
