#include "prefs/widgets/toggle.h"

#include <QCheckBox>
#include <QHBoxLayout>

namespace zendra::Prefs {

Toggle::Toggle(const QString& title, Key<bool> key, QWidget* parent)
    : Toggle(std::move(key), nullptr, title, parent) {}

Toggle::Toggle(Key<bool> key, QWidget* label, QWidget* parent)
    : Toggle(std::move(key), label, QString(), parent) {}

Toggle::Toggle(Key<bool> key, QWidget* label, const QString& title, QWidget* parent)
    : QWidget(parent), checkBox_(new QCheckBox(title, this)), label_(label), pref_(std::move(key), this) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(checkBox_);
    if (label_ != nullptr) {
        row->addWidget(label_, 1);
    } else {
        row->addStretch(1);
    }
    setFocusProxy(checkBox_);
    // Shown at once, then kept in step with the key; the initial state is not a change.
    checkBox_->setChecked(pref_.value());
    shown_ = checkBox_->isChecked();
    pref_.setOnChange([this] { sync(); });
    // `clicked` comes from the user only, never from setChecked, so moving the box writes nothing.
    connect(checkBox_, &QCheckBox::clicked, this, [this](bool checked) { pref_.setValue(checked); });
}

Toggle::~Toggle() = default;

Toggle& Toggle::onChange(std::function<void(bool)> action) {
    onChange_ = std::move(action);
    return *this;
}

bool Toggle::isOn() const {
    return pref_.value();
}

void Toggle::sync() {
    const bool on = pref_.value();
    checkBox_->setChecked(on);
    if (shown_ == on) {
        return;
    }
    shown_ = on;
    if (onChange_) {
        onChange_(on);
    }
}

} // namespace zendra::Prefs
