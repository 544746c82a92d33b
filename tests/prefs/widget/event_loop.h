#pragma once

#include <QCoreApplication>

namespace zendra::test {

// Runs what the event loop has queued, including work queued by that work, a few rounds deep.
inline void runQueuedEvents() {
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace zendra::test
