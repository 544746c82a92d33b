#pragma once

#include <QString>

class QWidget;

namespace zendra::Hotkeys {

// A warning alert with one default button, as the recorder shows it to explain a refused combination.
struct Alert {
    QString messageText;
    QString informativeText; // empty when there is none

    bool operator==(const Alert&) const = default;
};

// Shows alerts and waits for the user to dismiss them.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;

    // Shows `alert` modal to the window of `anchor` (application-modal when `anchor` is null or not in a
    // visible window) and returns once the user has dismissed it. Events keep being processed meanwhile,
    // so `anchor` may be destroyed before this returns.
    virtual void runModal(const Alert& alert, QWidget* anchor) = 0;
};

} // namespace zendra::Hotkeys
