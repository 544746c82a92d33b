#pragma once

#include "hotkeys/alert.h"
#include "hotkeys/menu_conflicts.h"

#include <QString>
#include <functional>
#include <memory>

namespace zendra::Hotkeys {

// What a recorder needs besides the shortcut subsystem's environment. Every recorder takes a copy of
// the process-wide services when it is made; a missing member falls back to its default.
struct RecorderServices {
    std::shared_ptr<AlertPresenter> alerts;          // default: message boxes
    std::shared_ptr<MainMenu> mainMenu;              // default: none, so no menu conflicts
    std::function<void()> beep;                      // default: the desktop's bell
    std::function<void(const QString&)> reportError; // default: the warning log
};

// Installs the services new recorders use. The composition root calls it at start-up; main thread only.
void setRecorderServices(RecorderServices services);
// The installed services with every missing member filled by its default.
RecorderServices recorderServices();
RecorderServices withDefaults(RecorderServices services);

} // namespace zendra::Hotkeys
