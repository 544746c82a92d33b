#include "hotkeys/shortcut_attachment.h"

#include <QObject>

namespace zendra::Hotkeys {

namespace {

// A child of the owner that keeps the stream; destroying it with the owner ends the stream.
class StreamTask : public QObject {
public:
    StreamTask(QObject* owner, zendra::AsyncStream<EventType> stream)
        : QObject(owner), stream_(std::move(stream)) {}

    void start(Action action) {
        stream_.forEach(this, [action = std::move(action)](const EventType&) {
            action();
            return true;
        });
    }

private:
    zendra::AsyncStream<EventType> stream_;
};

} // namespace

void onKeyboardShortcut(QObject* owner, const Name& name, EventType type, Action action) {
    if (owner == nullptr || !action) {
        return;
    }
    auto* task = new StreamTask(owner, events(type, name)); // owned by `owner`
    task->start(std::move(action));
}

} // namespace zendra::Hotkeys
