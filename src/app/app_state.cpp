#include "app/app_state.h"

#include "automation/saved_settings.h"
#include "base/main_queue.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"

#include <QCoreApplication>
#include <QWidget>
#include <mutex>

namespace zendra {

namespace {

struct SharedHolder {
    std::once_flag once;
    std::function<std::unique_ptr<AppState>()> factory;
    AppState* instance = nullptr; // never destroyed
};

SharedHolder& holder() {
    static auto* h = new SharedHolder;
    return *h;
}

AppState::Environment withDefaults(AppState::Environment env) {
    if (!env.pasteboard) {
        env.pasteboard = std::make_shared<QtPasteboard>();
    }
    if (!env.now) {
        env.now = [] { return QDateTime::currentDateTimeUtc(); };
    }
    if (!env.quit) {
        env.quit = [] { QCoreApplication::quit(); };
    }
    return env;
}

MemoryWatchdog::Environment watchdogEnvironment(const AppState::Environment& env,
                                                std::function<bool()> isEditWindowVisible) {
    return {
        env.now,     env.launchDate, env.idleTime.get(), env.footprint.get(), std::move(isEditWindowVisible),
        env.relaunch};
}

template <class F> void run(const F& step) {
    if (step) {
        step();
    }
}

} // namespace

void AppState::installShared(std::function<std::unique_ptr<AppState>()> factory) {
    holder().factory = std::move(factory);
}

AppState& AppState::shared() {
    SharedHolder& h = holder();
    std::call_once(h.once, [&h] {
        if (!h.factory) {
            qFatal("AppState::shared() was read before the application installed it");
        }
        h.instance = h.factory().release();
    });
    return *h.instance;
}

bool AppState::isSharedCreated() {
    return holder().instance != nullptr;
}

QString AppState::visibilityAdvice() {
    return QCoreApplication::translate("zendra::AppState",
                                       "You could also try lowering the maximum width in the settings.");
}

AppState::AppState(Environment environment)
    : environment_(withDefaults(std::move(environment))), watchdog_(watchdogEnvironment(environment_, [this] {
          const QWidget* window = environment_.editWindows.editWindow();
          return window && window->isVisible();
      })) {
    dispatchToMain([this] { didLaunch(); });
}

AppState::~AppState() = default;

StatusItem* AppState::statusItem() {
    if (!statusItem_ && environment_.makeStatusItem) {
        StatusItemCallbacks callbacks;
        callbacks.clicked = [this](StatusItemMouseEvent event, StatusItemClickModifiers modifiers) {
            handleStatusItemClick(event, modifiers);
        };
        callbacks.shortcutReleased = [this](UserAction action) { perform(action, ActionSource::shortcut); };
        callbacks.buildMenu = [this] { return buildStatusItemMenu(); };
        statusItem_ = environment_.makeStatusItem(std::move(callbacks));
    }
    return statusItem_.get();
}

void AppState::handleStatusItemClick(StatusItemMouseEvent event, StatusItemClickModifiers modifiers) {
    switch (decideStatusItemClick(event, modifiers)) {
    case StatusItemClickAction::showMenu:
        showMenu();
        break;
    case StatusItemClickAction::clearText:
        perform(UserAction::clearText, ActionSource::itemClick);
        break;
    case StatusItemClickAction::toggleEditWindow:
        toggleEditWindow();
        break;
    }
}

std::vector<StatusItemMenuEntry> AppState::buildStatusItemMenu() {
    StatusItemMenuState state;
    state.text = Prefs::get(Settings::text());
    state.clipboardHasText = environment_.pasteboard->plainText().has_value();
    state.debugMode = environment_.isDebugMode && environment_.isDebugMode();

    StatusItemMenuActions actions;
    actions.perform = [this](UserAction action) { perform(action, ActionSource::itemMenu); };
    actions.showDebugWindow = environment_.showDebugWindow;
    return zendra::buildStatusItemMenu(state, actions);
}

void AppState::showMenu() {
    StatusItem* item = statusItem();
    if (!item) {
        return;
    }
    auto menu = makeQMenu(buildStatusItemMenu());
    QMenu* raw = menu.get();
    // Discarded once closed; deleting later lets the chosen entry's action run first.
    QObject::connect(raw, &QMenu::aboutToHide, raw, [this, raw] {
        if (menu_.get() == raw) {
            menu_.release();
        }
        raw->deleteLater();
    });
    if (menu_) {
        menu_->close();
    }
    menu_ = std::move(menu);
    if (!item->popUpMenu(*raw)) {
        menu_.reset();
    }
}

std::optional<QString> AppState::perform(UserAction action, ActionSource source) {
    switch (action) {
    case UserAction::toggleEditor:
        toggleEditWindow();
        return std::nullopt;
    case UserAction::clearText:
        if (source == ActionSource::itemMenu || source == ActionSource::itemClick) {
            TextActions::clearTextByRemoving();
        } else {
            TextActions::clearTextByStoring();
        }
        break;
    case UserAction::copyText:
        TextActions::copyText(*environment_.pasteboard);
        return std::nullopt;
    case UserAction::pasteText:
        TextActions::setTextFromClipboard(*environment_.pasteboard);
        break;
    case UserAction::setText:
        // It comes with its text, through the set-text intent.
        return std::nullopt;
    case UserAction::openSettings:
        if (!environment_.openSettings) {
            return QCoreApplication::translate("zendra::AppState", "The settings window is not available.");
        }
        environment_.openSettings();
        return std::nullopt;
    case UserAction::quit:
        // After the answer to whoever asked has gone out.
        dispatchToMain(environment_.quit);
        return std::nullopt;
    }
    return source == ActionSource::bus ? saveSettingsNow() : std::nullopt;
}

void AppState::toggleEditWindow() {
    toggle(environment_.editWindows.editWindow(), environment_.activateWindow);
}

void AppState::setTextService(const std::optional<QString>& text) {
    TextActions::setTextService(text);
}

void AppState::didLaunch() {
    if (launched_) {
        return;
    }
    launched_ = true;
    const LaunchSteps& steps = environment_.launchSteps;
    run(steps.registerServicesProvider);
    if (QWidget* window = environment_.editWindows.editWindow();
        window && steps.prepareEditWindowBackground) {
        steps.prepareEditWindowBackground(*window);
    }
    if (environment_.isFirstLaunch && environment_.isFirstLaunch()) {
        run(steps.showWelcomeWindow);
    }
    if (StatusItem* item = statusItem(); item && steps.startVisibilityCheck) {
        steps.startVisibilityCheck(*item, visibilityAdvice());
    }
    watchdog_.start();
    run(steps.requestReview);
    run(steps.activateApplication);
}

} // namespace zendra
