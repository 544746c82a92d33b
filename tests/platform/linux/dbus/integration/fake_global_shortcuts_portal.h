#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <vector>

namespace zendra::test {

// The desktop portal's global shortcuts as a Wayland desktop offers them, on a connection of its own:
// sessions, bindings as asked for, and the Activated / Deactivated signals on demand.
class FakeGlobalShortcutsPortal final : public QDBusVirtualObject {
public:
    struct Binding {
        QString id;
        QString description;
        QString preferredTrigger;
    };

    FakeGlobalShortcutsPortal();
    ~FakeGlobalShortcutsPortal() override;

    // The signals of a key press and release, for the session last created or another one.
    void press(const QString& id, const QString& session = {});
    void release(const QString& id, const QString& session = {});

    QString registeredAppId;
    QString session;
    std::vector<Binding> bindings;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void respond(const QDBusMessage& call, const QVariantMap& options, const QVariantMap& results);
    void emitShortcutSignal(const QString& name, const QString& id, const QString& session);

    QDBusConnection connection_;
};

} // namespace zendra::test
