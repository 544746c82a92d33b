#pragma once

#include "hotkeys/alert.h"

namespace zendra::Hotkeys {

// Alerts as message boxes: window-modal over the anchor's window, like a sheet, else application-modal.
class MessageBoxAlertPresenter final : public AlertPresenter {
public:
    void runModal(const Alert& alert, QWidget* anchor) override;
};

} // namespace zendra::Hotkeys
