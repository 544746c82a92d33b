#include "prefs/observable.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace zendra::Prefs {

ObservableBase::ObservableBase(QObject* parent) : QObject(parent) {
    // Its notifications belong to the main thread, whichever thread made it.
    auto* app = QCoreApplication::instance();
    if (parent == nullptr && app != nullptr && thread() != app->thread()) {
        moveToThread(app->thread());
    }
}

void ObservableBase::notifyWillChange() {
    emit objectWillChange();
    if (didChangePending_) {
        return;
    }
    didChangePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            didChangePending_ = false;
            emit didChange();
        },
        Qt::QueuedConnection);
}

} // namespace zendra::Prefs
