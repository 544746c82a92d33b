// From a D-Bus SetText call to the panel host hearing XAyatanaNewLabel: the call into the automation
// service, the intent handler's store write, the item's re-render and the label signal, all on a
// private session bus with the listener on a connection of its own, as a panel would be.
//
//   status_notifier_bench [--benchmark_filter=...]
// Starts its own dbus-daemon; runs on the offscreen platform with a private configuration folder.

#include "app/app_delegate.h"
#include "automation/automation_service.h"
#include "automation/text_intents.h"
#include "editor/main_screen.h"
#include "hotkeys/environment.h"
#include "panel/panel_appearance.h"
#include "panel/status_item_screen.h"
#include "platform/linux/dbus/status_notifier_item.h"
#include "prefs/suite.h"
#include "settings/catalogue.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>

using namespace zendra;

namespace {

// The panel's side: counts the label signals it receives.
class LabelListener final : public QObject {
    Q_OBJECT

public:
    QString lastLabel;
    int received = 0;

public slots:
    void newLabel(const QString& label, const QString&) {
        lastLabel = label;
        ++received;
    }
};

struct Fixture {
    zendra::AppDelegate delegate{zendra::EditWindowLookup(zendra::MainScreen::staticMetaObject)};
    zendra::AutomationService automation;
    zendra::StatusNotifierItem item;
    zendra::FixedPanelAppearance appearance;
    zendra::StatusItemScreen screen;

    static zendra::AutomationActions actions(zendra::AppDelegate& delegate) {
        zendra::registerAutomationIntents(delegate.intentRoutes());
        zendra::AutomationActions result;
        result.handlerFor = [&delegate](const zendra::Intent& intent) { return delegate.handlerFor(intent); };
        return result;
    }
    static zendra::StatusNotifierItem::Options itemOptions() {
        zendra::StatusNotifierItem::Options options;
        options.id = QStringLiteral("org.zendra.Zendra");
        options.title = QStringLiteral("Zendra");
        return options;
    }

    Fixture() : automation(actions(delegate)), item(itemOptions()), screen(item, appearance, {}) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        automation.exportOn(bus);
        bus.interface()->registerService(QStringLiteral("org.zendra.Zendra"));
    }
};

void BM_SetTextToNewLabelSignal(benchmark::State& state) {
    Fixture fixture;
    const QString itemService = fixture.item.serviceName();
    QDBusConnection panel =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("panel"));
    LabelListener listener;
    panel.connect(itemService, QStringLiteral("/StatusNotifierItem"),
                  QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("XAyatanaNewLabel"), &listener,
                  SLOT(newLabel(QString, QString)));
    // The match rule reaches the bus daemon asynchronously; a first change makes sure it is in place.
    const auto waitFor = [&](const std::function<bool()>& done) {
        QElapsedTimer timeout;
        timeout.start();
        while (!done() && timeout.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        return done();
    };
    std::size_t n = 0;
    const auto setText = [&](const QString& text) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.zendra.Zendra"), QStringLiteral("/org/zendra/Zendra"),
            QStringLiteral("org.zendra.Zendra"), QStringLiteral("SetText"));
        call << text;
        return panel.asyncCall(call);
    };
    for (int warm = 0; warm < 20 && listener.received == 0; ++warm) {
        QDBusPendingCall pending = setText(QStringLiteral("warm-up %1").arg(warm));
        waitFor([&] { return pending.isFinished(); });
        waitFor([&] { return listener.received > 0; });
    }
    if (listener.received == 0) {
        state.SkipWithError("no XAyatanaNewLabel signal arrived");
        return;
    }
    for (auto _ : state) {
        const QString text = QStringLiteral("Report %1").arg(++n);
        const int before = listener.received;
        QElapsedTimer timer;
        timer.start();
        QDBusPendingCall pending = setText(text);
        const bool arrived =
            waitFor([&] { return listener.received > before && listener.lastLabel == text; });
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (!arrived) {
            state.SkipWithError("the label signal did not arrive");
            break;
        }
        waitFor([&] { return pending.isFinished(); });
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("panel"));
}
BENCHMARK(BM_SetTextToNewLabelSignal)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");

    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1"), QStringLiteral("--address=unix:dir=") + home.path()});
    if (!daemon.waitForStarted(5000) || !daemon.waitForReadyRead(5000)) {
        std::fprintf(stderr, "status_notifier_bench: dbus-daemon did not start\n");
        return 1;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", daemon.readLine().trimmed());

    QApplication application(argc, argv);
    Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    daemon.terminate();
    daemon.waitForFinished(2000);
    return 0;
}

#include "status_notifier_bench.moc"
