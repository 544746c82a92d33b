#pragma once

// The kit's modal alerts as Qt message boxes.

#include "kit/visibility_check.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace zendra::KZApp {

// Brings an alert to the front before it waits for the user; none: Qt's show alone.
using AlertActivation = std::function<void(QWidget&)>;

// Both alerts come up while the user may be working in another program: `activate` brings them forward.
VisibilityAlertResponse showVisibilityAlertBox(const VisibilityAlert& alert,
                                               const AlertActivation& activate = {});

// "Delete all data and settings for <app>" with the destructive "Delete"; true when it was chosen.
bool confirmDataDeletion(QWidget* parent, const QString& applicationName);
// The launch-chord prompt: "Are you sure…?" with "Delete" and "Cancel"; true for "Delete".
bool confirmDataDeletionAtLaunch(const QString& applicationName, const AlertActivation& activate = {});

// "Could not delete all data and settings for <app>", listing `problems`.
void showResetFailedAlert(QWidget* parent, const QString& applicationName, const QStringList& problems);

// How to send crash reports: names `folder` and `supportAddress`; returns whether the reveal button
// was chosen.
bool showCrashLogAlert(QWidget* parent, const QString& applicationName, const QString& folder,
                       const QString& supportAddress);

} // namespace zendra::KZApp
