#pragma once

// Keeps an item registered with the panel's org.kde.StatusNotifierWatcher: registers when the watcher
// is there or appears (a panel that starts late or restarts), and follows whether a host that draws
// items is registered with it. Every call to the watcher is asynchronous, so a slow panel never
// stalls the application. Main thread only.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

class QDBusServiceWatcher;

namespace zendra {

class StatusNotifierWatcherClient final : public QObject {
    Q_OBJECT

public:
    enum class HostState {
        unknown, // a watcher is there; its answers are on their way
        hosted,  // registered, and a host shows items
        unhosted // no watcher, the registration failed, or no host
    };

    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* watcherPath = "/StatusNotifierWatcher";
    static constexpr const char* watcherInterface = "org.kde.StatusNotifierWatcher";

    // Registers `itemService` (a name this connection owns) at once when a watcher is on the bus.
    // `changed` is called on every change of the host state.
    StatusNotifierWatcherClient(QDBusConnection connection, QString itemService,
                                std::function<void()> changed, QObject* parent = nullptr);
    ~StatusNotifierWatcherClient() override;

    HostState hostState() const { return state_; }
    // Successful registrations so far (one more after each watcher restart).
    int registrations() const { return registrations_; }

private slots:
    void hostRegistered();
    void hostUnregistered();

private:
    void watcherAppeared();
    void readHostState();
    void setState(HostState state);

    QDBusConnection connection_;
    QString itemService_;
    std::function<void()> changed_;
    QDBusServiceWatcher* serviceWatcher_;
    HostState state_ = HostState::unhosted;
    bool registered_ = false;
    int registrations_ = 0;
    // Answers for an earlier watcher instance are ignored.
    unsigned generation_ = 0;
};

} // namespace zendra
