#include "platform/linux/x11/visibility_watch.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <xcb/xcb.h>

namespace zendra::x11 {

VisibilityWatch::VisibilityWatch(std::uint32_t window, std::function<void()> changed)
    : changed_(std::move(changed)) {
    if (!connection_.isValid()) {
        return;
    }
    const std::uint32_t mask = XCB_EVENT_MASK_VISIBILITY_CHANGE;
    xcb_change_window_attributes(connection_.get(), window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_.get());
    notifier_ = std::make_unique<QSocketNotifier>(connection_.fileDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { readEvents(); });
}

VisibilityWatch::~VisibilityWatch() = default;

void VisibilityWatch::readEvents() {
    const bool before = obscured_;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_.get())) {
        if ((event->response_type & 0x7f) == XCB_VISIBILITY_NOTIFY) {
            obscured_ = reinterpret_cast<xcb_visibility_notify_event_t*>(event)->state ==
                        XCB_VISIBILITY_FULLY_OBSCURED;
        }
        std::free(event);
    }
    if (!connection_.isAlive()) {
        notifier_->setEnabled(false);
        obscured_ = false;
    }
    if (obscured_ != before && changed_) {
        changed_();
    }
}

} // namespace zendra::x11
