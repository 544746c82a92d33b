#pragma once

// libdbus stops reading a connection while the messages it has handed out and nobody has released
// yet exceed a limit (63 MiB by default), and starts again from the thread that releases the last of
// them. QtDBus releases a method call on the receiving object's thread, from where it cannot re-enable
// its socket notifier: a single call that large would leave the connection deaf for good.

#include <QDBusConnection>

namespace zendra {

// Lifts that limit on `connection`, so that messages of any size the bus delivers keep it reading.
void keepReadingMessagesOfAnySize(const QDBusConnection& connection);

} // namespace zendra
