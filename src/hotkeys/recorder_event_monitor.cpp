#include "hotkeys/recorder_event_monitor.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace zendra::Hotkeys {

class LocalEventMonitor::Filter : public QObject {
public:
    Filter(std::uint64_t mask, Callback callback) : mask_(mask), callback_(std::move(callback)) {}

    void disarm() { armed_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!armed_ || event == nullptr) {
            return QObject::eventFilter(watched, event);
        }
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Claiming the override keeps the application's own shortcuts from taking the key before
            // its press reaches the monitor.
            if ((mask_ & keyDown) != 0) {
                event->accept();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            return (mask_ & keyDown) != 0 && callback_(*event);
        case QEvent::MouseButtonRelease: {
            const auto button = static_cast<QMouseEvent*>(event)->button();
            const bool wanted = (button == Qt::LeftButton && (mask_ & leftMouseUp) != 0) ||
                                (button == Qt::RightButton && (mask_ & rightMouseUp) != 0);
            return wanted && callback_(*event);
        }
        default:
            return false;
        }
    }

private:
    std::uint64_t mask_;
    // A copy: the monitor may be stopped, and destroyed, while the callback runs.
    Callback callback_;
    bool armed_ = true;
};

LocalEventMonitor::LocalEventMonitor(std::uint64_t mask, Callback callback)
    : mask_(mask), callback_(std::move(callback)) {}

LocalEventMonitor::~LocalEventMonitor() {
    stop();
}

void LocalEventMonitor::start() {
    auto* app = QCoreApplication::instance();
    if (filter_ != nullptr || app == nullptr || !callback_) {
        return;
    }
    filter_ = new Filter(mask_, callback_);
    app->installEventFilter(filter_);
}

void LocalEventMonitor::stop() {
    if (filter_ == nullptr) {
        return;
    }
    filter_->disarm();
    if (auto* app = QCoreApplication::instance()) {
        app->removeEventFilter(filter_);
    }
    filter_->deleteLater();
    filter_ = nullptr;
}

} // namespace zendra::Hotkeys
