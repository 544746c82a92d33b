#include "support/wait_until.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <thread>

namespace zendra::test {

namespace {
constexpr auto checkInterval = std::chrono::milliseconds(5);
} // namespace

bool waitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
    if (predicate()) {
        return true;
    }
    const QDeadlineTimer deadline(timeout);
    if (!QCoreApplication::instance()) {
        while (!deadline.hasExpired()) {
            std::this_thread::sleep_for(checkInterval);
            if (predicate()) {
                return true;
            }
        }
        return false;
    }
    bool satisfied = false;
    QEventLoop loop;
    QTimer check;
    check.setInterval(checkInterval);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        satisfied = predicate();
        if (satisfied || deadline.hasExpired()) {
            loop.quit();
        }
    });
    check.start();
    loop.exec();
    return satisfied;
}

} // namespace zendra::test
