#pragma once

#include "hotkeys/recorder_field.h"

#include <QWidget>
#include <memory>

namespace zendra::Hotkeys {

// A recorder as a row for forms: the recorder field alone, or a label followed by the field.
class Recorder : public QWidget {
public:
    // No label.
    explicit Recorder(const Name& name, ShortcutChanged onChange = {}, QWidget* parent = nullptr);
    // A text label, for example "Clear text:".
    Recorder(const QString& title, const Name& name, ShortcutChanged onChange = {},
             QWidget* parent = nullptr);
    // A label built by the caller.
    Recorder(const Name& name, ShortcutChanged onChange, std::unique_ptr<QWidget> label,
             QWidget* parent = nullptr);

    bool hasLabel() const { return label_ != nullptr; }
    QWidget* label() const { return label_; }
    RecorderField* field() const { return field_; }

    // Points the field at `name` (see `RecorderField::setShortcutName`).
    void setName(const Name& name);

private:
    void build(QWidget* label);

    QWidget* label_ = nullptr; // owned through the layout
    RecorderField* field_ = nullptr;
};

} // namespace zendra::Hotkeys
