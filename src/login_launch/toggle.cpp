#include "login_launch/toggle.h"

#include "login_launch/login_launch.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QSignalBlocker>

namespace zendra::LoginLaunch {

Toggle::Toggle(QWidget* parent) : Toggle(tr("Launch at login"), parent) {}

Toggle::Toggle(const QString& title, QWidget* parent) : QCheckBox(title, parent) {
    setChecked(LoginLaunch::isEnabled());
    connect(this, &QCheckBox::clicked, this, [](bool checked) { observable().setEnabled(checked); });
    // The announcement comes before the change: read the outcome once the change is done, so that a
    // failed registration puts the switch back.
    QPointer<Toggle> self(this);
    willChange_ = observable().objectWillChange().sink([self](const zendra::Signal&) {
        if (self) {
            QMetaObject::invokeMethod(
                self.data(),
                [self] {
                    if (self) {
                        self->refresh();
                    }
                },
                Qt::QueuedConnection);
        }
    });
}

Toggle* Toggle::localized(const char* titleKey, QWidget* parent) {
    return new Toggle(QCoreApplication::translate("LoginLaunch", titleKey), parent);
}

void Toggle::refresh() {
    const QSignalBlocker blocker(this);
    setChecked(LoginLaunch::isEnabled());
}

void Toggle::showEvent(QShowEvent* event) {
    refresh();
    QCheckBox::showEvent(event);
}

} // namespace zendra::LoginLaunch
