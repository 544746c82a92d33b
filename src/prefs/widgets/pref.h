#pragma once

#include "base/publisher.h"
#include "prefs/key.h"
#include "prefs/observable.h"
#include "prefs/observation.h"
#include "prefs/prefs.h"
#include "prefs/prefs_publisher.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <concepts>
#include <functional>
#include <memory>

namespace zendra::Prefs {

// A widget's property bound to a key. value() and setValue() read and write the key; every change of
// the key, from any writer (this process on any thread, or another process), re-renders the owner:
// QWidget::update() on a widget owner, then the onChange callback. Rendering happens on the main
// thread from the event loop, after the change, so the callback reads the new value; it also runs
// once right after construction, for the first render.
//
//   class TextRow : public QWidget {
//       Prefs::Pref<QString> text_{Settings::text(), this, [this] { label_->setText(text_.value()); }};
//   };
//
// Make and use it on the main thread.
template <class Value> class Pref {
public:
    Pref(Key<Value> key, QObject* owner, std::function<void()> onChange = {})
        : owner_(owner), onChange_(std::move(onChange)),
          observable_(std::make_unique<Observable<Value>>(std::move(key))) {
        // The observable is the connection's context: nothing runs after this Pref is gone.
        QObject::connect(observable_.get(), &ObservableBase::didChange, observable_.get(),
                         [this] { render(); });
    }
    Pref(const Pref&) = delete;
    Pref& operator=(const Pref&) = delete;

    const Key<Value>& key() const { return observable_->key(); }
    Value value() const { return observable_->value(); }
    void setValue(const Value& value) { observable_->setValue(value); }
    // Removes the stored entry: reads see the registered default again.
    void reset() { key().reset(); }

    bool isDefaultValue() const requires std::equality_comparable<Value> {
        return value() == key().defaultValue();
    }

    // The key's changes, starting with the current value.
    zendra::Publisher<KeyChange<Value>> publisher() const {
        return Prefs::publisher(key(), {ObservationOption::initial});
    }

    // Replaces the callback run after each change.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // The object that emits objectWillChange() and didChange(), for connecting further receivers.
    Observable<Value>& observable() const { return *observable_; }

private:
    void render() {
        if (auto* widget = qobject_cast<QWidget*>(owner_.data())) {
            widget->update();
        }
        if (onChange_) {
            onChange_();
        }
    }

    QPointer<QObject> owner_;
    std::function<void()> onChange_;
    std::unique_ptr<Observable<Value>> observable_;
};

} // namespace zendra::Prefs
