#pragma once

#include "base/cancellable.h"
#include "hotkeys/key_event.h"
#include "hotkeys/name.h"
#include "hotkeys/recorder_event_monitor.h"
#include "hotkeys/recorder_services.h"
#include "hotkeys/shortcut.h"

#include <QLineEdit>
#include <functional>
#include <memory>
#include <optional>

class QAction;

namespace zendra::Hotkeys {

using ShortcutChanged = std::function<void(const std::optional<Shortcut>&)>;

// The control that assigns a global shortcut to a name: a centred, search-field-like text field that
// shows the name's shortcut, records the next key combination while it has the focus, refuses
// combinations that cannot or should not be used (a beep, or an alert for a conflict), stores an
// accepted one and offers a clear button. Tab never moves the focus into it; clicking it starts
// recording. While it records, the application's shortcut dispatch is paused. Main thread only.
class RecorderField : public QLineEdit {
public:
    static constexpr int minimumRecorderWidth = 130;
    static QString idlePlaceholder();
    static QString recordingPlaceholder();

    // Keys accepted without a modifier other than Shift: the function keys.
    static bool isBareAllowedKey(std::int64_t keyCode);

    explicit RecorderField(const Name& name, ShortcutChanged onChange = {}, QWidget* parent = nullptr);
    ~RecorderField() override;

    const Name& shortcutName() const { return shortcutName_; }
    // Shows the new name's shortcut and, on the next turn of the event loop, takes the focus away from
    // the window's focused widget (ending any recording). A name with the same raw value changes nothing.
    void setShortcutName(const Name& name);

    bool isRecording() const { return monitor_ != nullptr; }
    bool isClearButtonShown() const;
    // Replaces the services of this recorder (missing members take their defaults).
    void setServices(RecorderServices services);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showStoredShortcut();
    void updateClearButton();
    void startRecording();
    void stopRecording();
    void endRecording();
    void restartRecording();
    void clearClicked();
    bool handleMonitoredEvent(QEvent& event);
    bool handleMouseUp(const QPointF& globalPosition);
    bool handleKeyDown(const KeyEvent& event);
    bool refuseWithAlert(const Alert& alert);
    bool isSystemWide(const Shortcut& shortcut);

    Name shortcutName_;
    ShortcutChanged onChange_;
    RecorderServices services_;
    QAction* cancelButton_ = nullptr; // owned by the field
    std::unique_ptr<LocalEventMonitor> monitor_;
    zendra::Cancellable observer_; // last: ends first, before anything it calls goes away
};

// The name the interface of the shortcut subsystem gives the control.
using RecorderCocoa = RecorderField;

} // namespace zendra::Hotkeys
