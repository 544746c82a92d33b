#include "kit/visibility_check.h"

#include "prefs/prefs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace zendra::KZApp {

namespace {

constexpr double panelHeightEstimate = 24.0;
constexpr double notchedPanelHeightEstimate = 33.0;
constexpr int autoHideAlertMinimumWidth = 260;

Prefs::Key<bool> flagKey(const std::shared_ptr<Prefs::Suite>& suite) {
    return Prefs::Key<bool>(QLatin1String(visibilityFlagName), false, suite);
}

} // namespace

bool isItemHidden(const ItemPresence& presence) {
    return presence.shownByApplication && presence.exists && !presence.onScreen;
}

bool isPanelAutoHiding(const std::vector<ScreenArea>& screens) {
    if (screens.empty()) {
        return false;
    }
    const ScreenArea& screen = screens.front();
    const double estimate =
        screen.auxiliaryTopRight && screen.auxiliaryTopRight->width() < screen.geometry.width()
            ? notchedPanelHeightEstimate
            : panelHeightEstimate;
    // The strips panels reserve: the top one plays the menu bar, the bottom one the dock. On Linux a
    // desktop's only panel is often at the bottom, so the thicker strip counts as the panel.
    const int top = screen.available.top() - screen.geometry.top();
    const int bottom = screen.geometry.bottom() - screen.available.bottom();
    const int left = screen.available.left() - screen.geometry.left();
    const int right = screen.geometry.right() - screen.available.right();
    const int panel = std::max({top, bottom, left, right});
    return panel < estimate + 1.0;
}

QString settingsButtonTitle(bool currentSystem) {
    return currentSystem ? QCoreApplication::translate("zendra::KZApp::VisibilityCheck", "Open Settings")
                         : QCoreApplication::translate("zendra::KZApp::VisibilityCheck", "Open Preferences");
}

VisibilityAlert visibilityAlert(bool autoHiding, const std::optional<QString>& additionalText,
                                bool currentSystem) {
    VisibilityAlert alert;
    alert.title = QCoreApplication::translate("zendra::KZApp::VisibilityCheck", "Panel Item Did Not Appear");
    alert.okButton = QCoreApplication::translate("zendra::KZApp::VisibilityCheck", "OK");
    alert.settingsButton = settingsButtonTitle(currentSystem);
    if (autoHiding) {
        alert.text = QCoreApplication::translate(
            "zendra::KZApp::VisibilityCheck",
            "The panel may hide items that do not fit. Try removing some other panel items.\n\n"
            "Disregard this message if your panel is set to hide automatically. It will not be "
            "shown again.");
        alert.minimumWidth = autoHideAlertMinimumWidth;
    } else {
        alert.text = QCoreApplication::translate(
            "zendra::KZApp::VisibilityCheck",
            "The panel may hide items that do not fit. Try removing some other panel items.");
        alert.suppression =
            QCoreApplication::translate("zendra::KZApp::VisibilityCheck", "Do not show this again");
    }
    if (additionalText) {
        alert.text += QLatin1String("\n\n") + *additionalText;
    }
    return alert;
}

bool runVisibilityCheck(const VisibilityCheck& check, const std::optional<QString>& additionalText) {
    const auto flag = flagKey(check.suite);
    if (Prefs::get(flag) || !check.presence || !isItemHidden(check.presence()) || !check.showAlert) {
        return false;
    }
    if (check.activate) {
        check.activate();
    }
    const bool autoHiding = check.screens && isPanelAutoHiding(check.screens());
    const VisibilityAlertResponse response = check.showAlert(visibilityAlert(autoHiding, additionalText));
    if (autoHiding || response.suppress) {
        Prefs::set(flag, true);
    }
    if (response.settingsChosen && check.openSettings) {
        check.openSettings();
    }
    return true;
}

namespace {

constexpr std::chrono::milliseconds hostAnswerPoll(250);

struct PendingCheck {
    VisibilityCheck check;
    std::optional<QString> text;
    std::chrono::milliseconds delay;
    QDeadlineTimer giveUp;
    bool awaited = false;
};

void look(PendingCheck pending) {
    if (pending.check.presence && pending.check.presence().awaitingHost && !pending.giveUp.hasExpired()) {
        pending.awaited = true;
        QTimer::singleShot(hostAnswerPoll, QCoreApplication::instance(),
                           [pending = std::move(pending)]() mutable { look(std::move(pending)); });
        return;
    }
    if (pending.awaited) {
        pending.awaited = false;
        QTimer::singleShot(pending.delay, QCoreApplication::instance(),
                           [pending = std::move(pending)]() mutable { look(std::move(pending)); });
        return;
    }
    runVisibilityCheck(pending.check, pending.text);
}

} // namespace

void ensureVisibility(VisibilityCheck check, std::optional<QString> additionalText,
                      std::chrono::milliseconds delay, std::chrono::milliseconds hostWait) {
    if (Prefs::get(flagKey(check.suite))) {
        return;
    }
    PendingCheck pending{std::move(check), std::move(additionalText), delay,
                         QDeadlineTimer(delay + hostWait)};
    QTimer::singleShot(delay, QCoreApplication::instance(),
                       [pending = std::move(pending)]() mutable { look(std::move(pending)); });
}

} // namespace zendra::KZApp
