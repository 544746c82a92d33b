#pragma once

// Warns, once, when the panel did not show the item: a short while after launch (and after the panel
// host has answered whether it shows the item) the item is looked at, and if it is hidden an alert
// explains why and offers the settings and a way to silence it for good.

#include "prefs/suite.h"

#include <QRect>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zendra::KZApp {

inline constexpr char visibilityFlagName[] = "KZ_NSStatusItem_ensureVisibility_shouldNotShowAgain";

// What the platform tells about the item.
struct ItemPresence {
    bool shownByApplication = true; // false: the application itself hid it
    bool exists = true;             // false: not created yet
    bool onScreen = false;          // mapped inside a screen and not covered, or shown by a panel host
    bool awaitingHost = false;      // a panel host has not yet answered whether it shows the item
};

// Hidden only when the application shows an existing item that is not on screen.
bool isItemHidden(const ItemPresence& presence);

struct ScreenArea {
    QRect geometry;
    QRect available;                        // without what panels reserve
    std::optional<QRect> auxiliaryTopRight; // the area beside a camera housing, where there is one
};

// Whether the panel hides itself: the first screen's reserved strip is thinner than a panel.
bool isPanelAutoHiding(const std::vector<ScreenArea>& screens);

struct VisibilityAlert {
    QString title;
    QString text;
    QString okButton;
    QString settingsButton;
    std::optional<QString> suppression; // the checkbox title, when there is one
    int minimumWidth = 0;
};

struct VisibilityAlertResponse {
    bool settingsChosen = false;
    bool suppress = false; // the checkbox was on
};

// "Open Settings" on current systems, "Open Preferences" on older ones.
QString settingsButtonTitle(bool currentSystem = true);
// The alert for the situation, with `additionalText` after a blank line.
VisibilityAlert visibilityAlert(bool autoHiding, const std::optional<QString>& additionalText,
                                bool currentSystem = true);

struct VisibilityCheck {
    std::shared_ptr<Prefs::Suite> suite;
    std::function<ItemPresence()> presence;
    std::function<std::vector<ScreenArea>()> screens;
    // Shows the alert modally and returns how it was closed.
    std::function<VisibilityAlertResponse(const VisibilityAlert&)> showAlert;
    std::function<void()> openSettings;
    std::function<void()> activate; // brings the application forward before the alert
};

// The check itself, at once: shows the alert when the flag allows it and the item is hidden, and then
// sets the flag and opens the settings as the response asks. Returns whether an alert was shown.
bool runVisibilityCheck(const VisibilityCheck& check, const std::optional<QString>& additionalText);

// Runs the check on the main thread after `delay`, unless the flag is already set. While the item
// awaits its host's answer the check waits too, and looks `delay` after the answer, so that a window
// standing in for the item has been mapped; after `hostWait` it looks whatever the host said.
void ensureVisibility(VisibilityCheck check, std::optional<QString> additionalText,
                      std::chrono::milliseconds delay = std::chrono::seconds(1),
                      std::chrono::milliseconds hostWait = std::chrono::seconds(15));

} // namespace zendra::KZApp
