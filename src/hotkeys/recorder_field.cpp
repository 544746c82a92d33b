#include "hotkeys/recorder_field.h"

#include "base/main_queue.h"
#include "base/notification_center.h"
#include "hotkeys/environment.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/key.h"
#include "hotkeys/key_equivalent_qt.h"
#include "hotkeys/modifier_flags.h"

#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <algorithm>
#include <array>

namespace zendra::Hotkeys {

namespace {

// A click this close to the field still counts as a click on it.
constexpr double clickMargin = 3.0;

// Flags that never make a combination: they describe the key or the keyboard, not a modifier held.
constexpr std::uint64_t nonModifierFlags =
    ModifierFlag::capsLock | ModifierFlag::function | ModifierFlag::numericPad;

Alert systemWideAlert() {
    return {QCoreApplication::translate(
                "zendra::Hotkeys::RecorderField",
                "This keyboard shortcut cannot be used as it's already a system-wide keyboard shortcut."),
            QCoreApplication::translate("zendra::Hotkeys::RecorderField",
                                        "Most system-wide keyboard shortcuts can be changed in "
                                        "the keyboard shortcuts of your desktop's settings.")};
}

Alert menuConflictAlert(const QString& title) {
    //: %1 is the title of the menu item that has the shortcut.
    return {QCoreApplication::translate(
                "zendra::Hotkeys::RecorderField",
                "This keyboard shortcut cannot be used as it's already used by the “%1” menu item.")
                .arg(title),
            QString()};
}

// A modifier key pressed on its own changes the modifiers; it is not a key of a combination.
bool isModifierKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Mode_switch:
        return true;
    default:
        break;
    }
    const auto keyEvent = KeyEvent::fromQt(event);
    if (!keyEvent) {
        return false;
    }
    static constexpr std::array modifierKeys{
        Key::shift,       Key::control,      Key::option,     Key::command,  Key::rightCommand,
        Key::rightOption, Key::rightControl, Key::rightShift, Key::capsLock, Key::function};
    return std::find(modifierKeys.begin(), modifierKeys.end(), Key(keyEvent->keyCode)) != modifierKeys.end();
}

bool containsHalfOpen(const QRectF& area, const QPointF& point) {
    return point.x() >= area.left() && point.x() < area.right() && point.y() >= area.top() &&
           point.y() < area.bottom();
}

} // namespace

QString RecorderField::idlePlaceholder() {
    return QCoreApplication::translate("zendra::Hotkeys::RecorderField", "Record Shortcut");
}

QString RecorderField::recordingPlaceholder() {
    return QCoreApplication::translate("zendra::Hotkeys::RecorderField", "Press Shortcut");
}

bool RecorderField::isBareAllowedKey(std::int64_t keyCode) {
    // F1 to F20 are all the function keys a virtual key code names; higher ones give no key event.
    static constexpr std::array functionKeys{
        Key::f1,  Key::f2,  Key::f3,  Key::f4,  Key::f5,  Key::f6,  Key::f7,  Key::f8,  Key::f9,  Key::f10,
        Key::f11, Key::f12, Key::f13, Key::f14, Key::f15, Key::f16, Key::f17, Key::f18, Key::f19, Key::f20};
    return std::find(functionKeys.begin(), functionKeys.end(), Key(keyCode)) != functionKeys.end();
}

RecorderField::RecorderField(const Name& name, ShortcutChanged onChange, QWidget* parent)
    : QLineEdit(parent), shortcutName_(name), onChange_(std::move(onChange)), services_(recorderServices()) {
    setPlaceholderText(idlePlaceholder());
    setAlignment(Qt::AlignCenter);
    // Keys never reach the text, so it stays read-only, which also hides the caret.
    setReadOnly(true);
    setFocusPolicy(Qt::ClickFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMinimumWidth(minimumRecorderWidth);

    cancelButton_ = addAction(style()->standardIcon(QStyle::SP_LineEditClearButton), TrailingPosition);
    cancelButton_->setText(QCoreApplication::translate("zendra::Hotkeys::RecorderField", "Clear"));
    connect(cancelButton_, &QAction::triggered, this, [this] { clearClicked(); });

    followStoredChanges(shortcutName_);
    showStoredShortcut();
    observer_ = zendra::NotificationCenter::defaultCenter().addObserver(
        shortcutByNameDidChange, [this](const zendra::Notification& notification) {
            const auto* changed = notification.entry<Name>(nameUserInfoKey);
            if (changed != nullptr && changed->rawValue == shortcutName_.rawValue) {
                showStoredShortcut();
            }
        });
}

RecorderField::~RecorderField() {
    // The focus-out of the base destructor no longer reaches this class; end the recording here.
    if (monitor_) {
        monitor_.reset();
        setDispatchPaused(false);
    }
}

void RecorderField::setShortcutName(const Name& name) {
    const bool changed = name.rawValue != shortcutName_.rawValue;
    shortcutName_ = name;
    if (!changed) {
        return;
    }
    followStoredChanges(shortcutName_);
    showStoredShortcut();
    zendra::dispatchToMain([self = QPointer<RecorderField>(this)] {
        if (self == nullptr) {
            return;
        }
        if (QWidget* focused = self->window()->focusWidget()) {
            focused->clearFocus();
        }
    });
}

bool RecorderField::isClearButtonShown() const {
    return cancelButton_->isVisible();
}

void RecorderField::setServices(RecorderServices services) {
    services_ = withDefaults(std::move(services));
}

QSize RecorderField::sizeHint() const {
    return {minimumRecorderWidth, QLineEdit::sizeHint().height()};
}

QSize RecorderField::minimumSizeHint() const {
    return {minimumRecorderWidth, QLineEdit::minimumSizeHint().height()};
}

void RecorderField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    startRecording();
}

void RecorderField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    stopRecording();
}

void RecorderField::showStoredShortcut() {
    const auto shortcut = getShortcut(shortcutName_);
    setText(shortcut ? nativeText(*shortcut) : QString());
    updateClearButton();
}

void RecorderField::updateClearButton() {
    cancelButton_->setVisible(!text().isEmpty());
}

void RecorderField::startRecording() {
    setPlaceholderText(recordingPlaceholder());
    updateClearButton();
    setDispatchPaused(true);
    monitor_ = std::make_unique<LocalEventMonitor>(
        LocalEventMonitor::keyDown | LocalEventMonitor::leftMouseUp | LocalEventMonitor::rightMouseUp,
        [self = QPointer<RecorderField>(this)](QEvent& event) {
            return self != nullptr && self->handleMonitoredEvent(event);
        });
    monitor_->start();
}

void RecorderField::stopRecording() {
    if (!monitor_) {
        return;
    }
    monitor_.reset();
    setPlaceholderText(idlePlaceholder());
    updateClearButton();
    setDispatchPaused(false);
}

void RecorderField::endRecording() {
    clearFocus();
    stopRecording(); // when the window was not active there is no focus-out
}

void RecorderField::restartRecording() {
    // After an alert the window may not get the activation back by itself (no window manager, or one
    // that hands it elsewhere); recording starts once it is active again.
    if (QWidget* top = window(); top->isVisible() && !top->isActiveWindow()) {
        top->activateWindow();
    }
    setFocus(Qt::OtherFocusReason);
}

void RecorderField::clearClicked() {
    QPointer<RecorderField> self(this);
    setText(QString());
    setShortcut(std::nullopt, shortcutName_);
    if (auto onChange = onChange_) {
        onChange(std::nullopt);
    }
    if (self == nullptr) {
        return;
    }
    updateClearButton();
    if (text().isEmpty()) {
        restartRecording(); // the next combination fills the empty field
    }
}

bool RecorderField::handleMonitoredEvent(QEvent& event) {
    if (event.type() == QEvent::MouseButtonRelease) {
        return handleMouseUp(static_cast<QMouseEvent&>(event).globalPosition());
    }
    if (event.type() != QEvent::KeyPress) {
        return true;
    }
    const auto& keyPress = static_cast<const QKeyEvent&>(event);
    if (isModifierKey(keyPress)) {
        return false;
    }
    const auto keyEvent = KeyEvent::fromQt(keyPress);
    if (!keyEvent) {
        services_.beep();
        return true;
    }
    return handleKeyDown(*keyEvent);
}

bool RecorderField::handleMouseUp(const QPointF& globalPosition) {
    // The clear button takes its own clicks, also while recording.
    for (QObject* object : cancelButton_->associatedObjects()) {
        auto* button = qobject_cast<QWidget*>(object);
        if (button != nullptr && button != this && button->isVisible() &&
            button->rect().contains(button->mapFromGlobal(globalPosition).toPoint())) {
            return false;
        }
    }
    const QRectF area = QRectF(rect()).adjusted(-clickMargin, -clickMargin, clickMargin, clickMargin);
    if (containsHalfOpen(area, mapFromGlobal(globalPosition))) {
        return true;
    }
    endRecording();
    return false;
}

bool RecorderField::handleKeyDown(const KeyEvent& event) {
    const std::uint64_t flags = event.modifierFlags & ModifierFlag::deviceIndependentMask & ~nonModifierFlags;
    const Key key(event.keyCode);
    if (flags == 0 && key == Key::tab) {
        // Focus moves on as Tab moves it; when there is nowhere to go, the field lets go of it.
        QPointer<RecorderField> self(this);
        focusNextPrevChild(true);
        if (self != nullptr && hasFocus()) {
            endRecording();
        }
        return true;
    }
    if (flags == 0 && key == Key::escape) {
        endRecording();
        return true;
    }
    if (flags == 0 && (key == Key::delete_ || key == Key::deleteForward)) {
        if (isClearButtonShown()) {
            cancelButton_->trigger();
        }
        return true;
    }
    if ((flags & ~ModifierFlag::shift) == 0 && !isBareAllowedKey(event.keyCode)) {
        services_.beep();
        return true;
    }
    const auto shortcut = Shortcut::fromEvent(event);
    if (!shortcut) {
        services_.beep();
        return true;
    }
    if (auto menu = services_.mainMenu ? services_.mainMenu->menu() : std::nullopt) {
        if (const MenuEntry* item = matchingMenuItem(*menu, *shortcut)) {
            return refuseWithAlert(menuConflictAlert(item->title));
        }
    }
    const bool exempt = *shortcut == Shortcut(Key::f12.rawValue);
    if (!exempt && isSystemWide(*shortcut)) {
        return refuseWithAlert(systemWideAlert());
    }

    QPointer<RecorderField> self(this);
    setText(nativeText(*shortcut));
    updateClearButton();
    setShortcut(*shortcut, shortcutName_);
    if (auto onChange = onChange_) {
        onChange(*shortcut);
    }
    if (self != nullptr) {
        endRecording();
    }
    return true;
}

bool RecorderField::refuseWithAlert(const Alert& alert) {
    QPointer<RecorderField> self(this);
    const auto alerts = services_.alerts; // kept alive while it runs
    endRecording();
    alerts->runModal(alert, this);
    if (self != nullptr) {
        restartRecording();
    }
    return true;
}

bool RecorderField::isSystemWide(const Shortcut& shortcut) {
    SystemWideShortcuts* check = environment().systemWideShortcuts.get();
    const auto availability =
        check != nullptr ? check->availability(shortcut) : SystemWideAvailability::unknown;
    if (availability == SystemWideAvailability::unknown) {
        services_.reportError(QStringLiteral("Could not get system keyboard shortcuts"));
        return false;
    }
    return availability == SystemWideAvailability::heldByAnotherClient;
}

} // namespace zendra::Hotkeys
