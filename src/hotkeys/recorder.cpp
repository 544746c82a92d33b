#include "hotkeys/recorder.h"

#include <QHBoxLayout>
#include <QLabel>

namespace zendra::Hotkeys {

Recorder::Recorder(const Name& name, ShortcutChanged onChange, QWidget* parent)
    : QWidget(parent), field_(new RecorderField(name, std::move(onChange), this)) {
    build(nullptr);
}

Recorder::Recorder(const QString& title, const Name& name, ShortcutChanged onChange, QWidget* parent)
    : QWidget(parent), field_(new RecorderField(name, std::move(onChange), this)) {
    build(new QLabel(title, this));
}

Recorder::Recorder(const Name& name, ShortcutChanged onChange, std::unique_ptr<QWidget> label,
                   QWidget* parent)
    : QWidget(parent), field_(new RecorderField(name, std::move(onChange), this)) {
    build(label.release());
}

void Recorder::setName(const Name& name) {
    field_->setShortcutName(name);
}

void Recorder::build(QWidget* label) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (label != nullptr) {
        label_ = label;
        label_->setParent(this);
        if (auto* text = qobject_cast<QLabel*>(label_)) {
            text->setBuddy(field_);
        }
        // The label on the leading side, centred on the field's text line.
        layout->addWidget(label_, 0, Qt::AlignVCenter);
    }
    layout->addWidget(field_, 1, Qt::AlignVCenter);
    setFocusProxy(field_);
}

} // namespace zendra::Hotkeys
