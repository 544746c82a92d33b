#include "base/main_queue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace zendra {

void dispatchToMain(std::function<void()> work) {
    auto* app = QCoreApplication::instance();
    if (app == nullptr || !work) {
        return;
    }
    QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

bool isMainThread() {
    auto* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

} // namespace zendra
