#pragma once

#include "base/cancellable.h"

#include <QCheckBox>
#include <QString>

namespace zendra::LoginLaunch {

// A switch bound to LoginLaunch's state: clicking it sets isEnabled; it follows every change made
// through LoginLaunch and re-reads the system's state whenever it is shown.
class Toggle final : public QCheckBox {
    Q_OBJECT
public:
    // Labelled "Launch at login".
    explicit Toggle(QWidget* parent = nullptr);
    Toggle(const QString& title, QWidget* parent = nullptr);
    // Labelled with the translation of `titleKey`.
    static Toggle* localized(const char* titleKey, QWidget* parent = nullptr);

    // Reads the system's state into the switch.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    zendra::Cancellable willChange_;
};

} // namespace zendra::LoginLaunch
