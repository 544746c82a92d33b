#pragma once

#include <QWidget>
#include <vector>

class QLabel;

namespace zendra::Hotkeys {
class Recorder;
}

namespace zendra::Settings {

// The Shortcuts tab: a recorder for each action with a global shortcut. A recorded shortcut works at
// once everywhere; clearing it stops it at once. Without system-wide key grabs (a Wayland session)
// a line says which commands to bind in the desktop's own keyboard settings instead.
class ShortcutsSettings : public QWidget {
public:
    explicit ShortcutsSettings(bool hasGlobalShortcuts, QWidget* parent = nullptr);

    // In the actions' order: toggle edit window, clear text, set text from clipboard.
    const std::vector<Hotkeys::Recorder*>& recorders() const { return recorders_; }
    // The note shown without system-wide key grabs; null otherwise.
    QLabel* note() const { return note_; }

private:
    std::vector<Hotkeys::Recorder*> recorders_;
    QLabel* note_ = nullptr;
};

} // namespace zendra::Settings
