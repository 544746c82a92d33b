#pragma once

#include "prefs/key.h"
#include "prefs/widgets/pref.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;

namespace zendra::Prefs {

// A check box bound to a boolean key. Clicking it writes the key; any change of the key, from any
// writer, moves the box without writing back, and calls the onChange action with the new value when
// the value differs from the one the toggle showed before. Make and use it on the main thread.
class Toggle : public QWidget {
    Q_OBJECT

public:
    // The box with `title` as its own text (clicking the text toggles too).
    Toggle(const QString& title, Key<bool> key, QWidget* parent = nullptr);
    // The box followed by `label`, laid out in a row; the toggle takes ownership of `label`.
    Toggle(Key<bool> key, QWidget* label, QWidget* parent = nullptr);
    ~Toggle() override;

    // Sets the action called on every change of the key's value; returns this toggle for chaining.
    Toggle& onChange(std::function<void(bool)> action);

    QCheckBox* checkBox() const { return checkBox_; }
    QWidget* label() const { return label_; }
    bool isOn() const;
    const Key<bool>& key() const { return pref_.key(); }

private:
    Toggle(Key<bool> key, QWidget* label, const QString& title, QWidget* parent);
    void sync();

    QCheckBox* checkBox_;
    QWidget* label_;
    std::function<void(bool)> onChange_;
    std::optional<bool> shown_;
    Pref<bool> pref_;
};

} // namespace zendra::Prefs
