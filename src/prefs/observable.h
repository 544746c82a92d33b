#pragma once

#include "base/async_stream.h"
#include "prefs/key.h"
#include "prefs/prefs.h"
#include "prefs/value_stream.h"

#include <QObject>

namespace zendra::Prefs {

// The signals of Observable<Value> (a template cannot declare signals itself).
class ObservableBase : public QObject {
    Q_OBJECT

public:
    explicit ObservableBase(QObject* parent = nullptr);

signals:
    // Emitted on the main thread: once right after creation, when a write through setValue() is
    // about to happen, and for every change of the key, whoever made it.
    void objectWillChange();
    // Emitted from the main thread's event loop after one or more objectWillChange, once the
    // change has been made: the place to read the new value and re-render.
    void didChange();

protected:
    void notifyWillChange();

private:
    bool didChangePending_ = false;
};

// A key as an object that announces its changes on the main thread, whatever thread wrote: while it
// exists it iterates the key's value stream there. Destroying it ends the stream and its observation.
// Use it from the main thread (one made elsewhere without a parent moves itself there).
template <class Value> class Observable final : public ObservableBase {
public:
    explicit Observable(Key<Value> key, QObject* parent = nullptr)
        : ObservableBase(parent), key_(std::move(key)), stream_(valueStream(key_, true)) {
        stream_.forEach(this, [this](const Value&) {
            notifyWillChange();
            return true;
        });
    }

    const Key<Value>& key() const { return key_; }

    Value value() const { return get(key_); }
    // Announces the change, then writes.
    void setValue(const Value& value) {
        notifyWillChange();
        set(key_, value);
    }

private:
    Key<Value> key_;
    zendra::AsyncStream<Value> stream_;
};

} // namespace zendra::Prefs
