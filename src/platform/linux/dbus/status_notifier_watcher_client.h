#pragma once

// Keeps an item registered with the panel's org.kde.StatusNotifierWatcher: registers when the watcher
// is there or appears (a panel that starts late or restarts), registers again when the watcher drops
// the item while both are still on the bus (a host that failed to read it), and follows whether a host
// that draws items is registered with it. Every call, including the first look for the watcher, is
// asynchronous, so a slow panel never stalls the application. Main thread only.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>

class QDBusServiceWatcher;

namespace zendra {

class StatusNotifierWatcherClient final : public QObject {
    Q_OBJECT

public:
    enum class HostState {
        unknown, // a watcher is there; its answers are on their way
        hosted,  // registered, and a host shows items
        unhosted // no watcher, the registration failed or is overdue, the item was dropped, or no host
    };

    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* watcherPath = "/StatusNotifierWatcher";
    static constexpr const char* watcherInterface = "org.kde.StatusNotifierWatcher";

    struct Timing {
        // A watcher that has not answered by then counts as showing nothing until it does: some
        // answer only once their desktop has finished starting.
        std::chrono::milliseconds answerDue{5000};
        // Pause before registering an item the watcher dropped again, doubled after each attempt.
        std::chrono::milliseconds retryPause{1000};
        // Registrations again with one watcher before it counts as not showing the item.
        int retries = 3;
    };

    // Registers `itemService` (a name this connection owns) once a watcher is on the bus. `changed` is
    // called on every change of the host state.
    StatusNotifierWatcherClient(QDBusConnection connection, QString itemService,
                                std::function<void()> changed, Timing timing, QObject* parent = nullptr);
    StatusNotifierWatcherClient(QDBusConnection connection, QString itemService,
                                std::function<void()> changed, QObject* parent = nullptr)
        : StatusNotifierWatcherClient(std::move(connection), std::move(itemService), std::move(changed),
                                      Timing{}, parent) {}
    ~StatusNotifierWatcherClient() override;

    HostState hostState() const { return state_; }
    // Successful registrations so far (one more after each watcher restart or accepted retry).
    int registrations() const { return registrations_; }

private slots:
    void hostRegistered();
    void hostUnregistered();
    void itemUnregistered(const QString& entry);

private:
    void ownerChanged(const QString& owner);
    void registerItem();
    void readHostState();
    void setState(HostState state);

    QDBusConnection connection_;
    QString itemService_;
    std::function<void()> changed_;
    Timing timing_;
    QDBusServiceWatcher* serviceWatcher_;
    QTimer answerDue_;
    QTimer retry_;
    QString owner_; // the watcher's unique name; empty while there is none
    HostState state_ = HostState::unhosted;
    bool registered_ = false;
    int registrations_ = 0;
    int retriesLeft_ = 0;
    // Answers for an earlier watcher instance or registration are ignored.
    unsigned generation_ = 0;
};

} // namespace zendra
