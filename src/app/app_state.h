#pragma once

// The one central object of the process: owner of the panel item, the click decision, the item's
// menu, the text actions and the launch routine with its memory watchdog. The text itself is the
// "text" setting, not a field here. Main thread only.

#include "actions/user_actions.h"
#include "app/edit_window_lookup.h"
#include "panel/status_item.h"
#include "text/text_actions.h"
#include "watchdog/memory_watchdog.h"

#include <QDateTime>
#include <QMenu>
#include <functional>
#include <memory>
#include <optional>

namespace zendra {

// Where a request for an action came from; clearing from the item (its menu, Shift-click) removes the
// stored text, clearing from elsewhere stores the empty text.
enum class ActionSource { itemMenu, itemClick, shortcut, bus, commandLine };

class AppState {
public:
    // Launch steps whose subsystems arrive later; an empty one does nothing.
    struct LaunchSteps {
        std::function<void()> registerServicesProvider;
        std::function<void(QWidget& editWindow)> prepareEditWindowBackground;
        std::function<void()> showWelcomeWindow; // called on the first launch only
        std::function<void(StatusItem& item, const QString& advice)> startVisibilityCheck;
        std::function<void()> requestReview;
        std::function<void()> activateApplication;
    };

    struct Environment {
        std::shared_ptr<Pasteboard> pasteboard; // default: QtPasteboard
        EditWindowLookup editWindows;
        std::function<std::unique_ptr<StatusItem>(StatusItemCallbacks)> makeStatusItem; // none: no item
        std::shared_ptr<IdleTimeSource> idleTime;
        std::shared_ptr<MemoryFootprint> footprint;
        std::function<QDateTime()> now; // default: the system clock
        QDateTime launchDate;           // the kit's launch time
        std::function<bool()> isFirstLaunch;
        std::function<bool()> isDebugMode;
        std::function<void()> showDebugWindow;
        std::function<bool()> relaunch;     // true once a new instance runs
        std::function<void()> quit;         // default: QCoreApplication::quit
        std::function<void()> openSettings; // none: the settings window is not available
        // Shows a window as the answer to a user's request; default: Qt's show, raise and activate.
        std::function<void(QWidget&)> activateWindow;
        LaunchSteps launchSteps;
    };

    // The advice the visibility check adds to its warning.
    static QString visibilityAdvice();

    // The lazy holder: `factory` runs at the first shared(). Install it before anything reads shared().
    static void installShared(std::function<std::unique_ptr<AppState>()> factory);
    // The instance, created on first use and never destroyed. A programming error without a holder.
    static AppState& shared();
    static bool isSharedCreated();

    // Schedules didLaunch on the main queue.
    explicit AppState(Environment environment);
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // The panel item, created on first read (its view registers the global shortcuts); null when
    // this process has no panel item backend.
    StatusItem* statusItem();

    void handleStatusItemClick(StatusItemMouseEvent event, StatusItemClickModifiers modifiers);
    // The menu as it would open now.
    std::vector<StatusItemMenuEntry> buildStatusItemMenu();
    // The menu currently open at the item, if any.
    QMenu* openMenu() const { return menu_.get(); }

    // Runs a user action. Nothing, or why it failed: a text change asked for over the bus answers
    // once the preferences file holds it.
    std::optional<QString> perform(UserAction action, ActionSource source);

    // The edit window's toggle, when there is an edit window.
    void toggleEditWindow();
    // The system-service entry point.
    void setTextService(const std::optional<QString>& text);

    // Runs once; later calls do nothing.
    void didLaunch();
    MemoryWatchdog& memoryWatchdog() { return watchdog_; }
    const EditWindowLookup& editWindows() const { return environment_.editWindows; }
    Pasteboard& pasteboard() { return *environment_.pasteboard; }

private:
    void showMenu();

    Environment environment_;
    std::unique_ptr<StatusItem> statusItem_;
    std::unique_ptr<QMenu> menu_;
    MemoryWatchdog watchdog_;
    bool launched_ = false;
};

} // namespace zendra
