// From a hot-key event to the actions of three names sharing one shortcut, and the display text of a
// shortcut translated through a real X keymap (an Xvfb started here when no display is reachable).

#include "hotkeys/carbon_hotkeys.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/shortcut_attachment.h"
#include "platform/linux/x11/keyboard_layout.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>
#include <xcb/xcb.h>

using namespace zendra;

namespace {

using namespace Hotkeys;

// Accepts every registration and reads identities from events: the cost of the system is not measured.
class NullEventManager : public EventManager {
public:
    EventTargetRef eventDispatcherTarget() override { return EventTargetRef{1}; }
    Status registerEventHotKey(std::uint32_t, std::uint32_t, HotKeyIdentity identity, EventTargetRef,
                               std::uint32_t, HotKeyRef& out) override {
        lastIdentity = identity;
        out = HotKeyRef{++next_};
        return noErr;
    }
    Status unregisterEventHotKey(HotKeyRef) override { return noErr; }
    Status installEventHandler(EventTargetRef, EventHandlerFunction, std::span<const EventTypeSpec>, void*,
                               EventHandlerRef& out) override {
        out = EventHandlerRef{1};
        return noErr;
    }
    Status getEventHotKeyIdentity(const Event& event, HotKeyIdentity& out) override {
        out = *event.hotKeyIdentity;
        return noErr;
    }
    std::uint32_t getEventKind(const Event& event) override { return event.kind; }

    HotKeyIdentity lastIdentity;

private:
    std::uintptr_t next_ = 0;
};

const Shortcut optionCommandK{Key::k, ModifierFlag::option | ModifierFlag::command};
const char* const names[] = {"toggleEditWindow", "clearText", "setTextFromClipboard"};

HotKeyIdentity threeNamesSharingOneShortcut(const std::shared_ptr<NullEventManager>& manager) {
    setEnvironment({Prefs::Suite::makeInMemory(), manager, nullptr, nullptr});
    for (const char* raw : names) {
        setShortcut(optionCommandK, Name::fromRawValue(raw));
    }
    return manager->lastIdentity;
}

void BM_HotKeyEventToThreeActions(benchmark::State& state) {
    auto manager = std::make_shared<NullEventManager>();
    const auto identity = threeNamesSharingOneShortcut(manager);
    int runs = 0;
    for (const char* raw : names) {
        onKeyUp(Name::fromRawValue(raw), [&runs] { ++runs; });
    }
    const Event release{kEventClassKeyboard, kEventHotKeyReleased, identity};
    for (auto _ : state) {
        CarbonHotkeys::hotKeyEventCallback({}, &release, nullptr);
    }
    if (runs != 3 * static_cast<int>(state.iterations())) {
        state.SkipWithError("not every action ran");
    }
}
BENCHMARK(BM_HotKeyEventToThreeActions);

// The path the application uses: view attachments fed by streams, delivered on the next event-loop turn.
void BM_HotKeyEventToThreeAttachedViews(benchmark::State& state) {
    auto manager = std::make_shared<NullEventManager>();
    const auto identity = threeNamesSharingOneShortcut(manager);
    QObject owner;
    int runs = 0;
    for (const char* raw : names) {
        onKeyboardShortcut(&owner, Name::fromRawValue(raw), EventType::keyUp, [&runs] { ++runs; });
    }
    QCoreApplication::processEvents();
    const Event release{kEventClassKeyboard, kEventHotKeyReleased, identity};
    for (auto _ : state) {
        CarbonHotkeys::hotKeyEventCallback({}, &release, nullptr);
        QCoreApplication::sendPostedEvents();
    }
    if (runs != 3 * static_cast<int>(state.iterations())) {
        state.SkipWithError("not every attached action ran");
    }
}
BENCHMARK(BM_HotKeyEventToThreeAttachedViews);

// A display to translate with: $DISPLAY when reachable, else a private Xvfb.
class Display {
public:
    Display() {
        if (reachable(qgetenv("DISPLAY"))) {
            name_ = qgetenv("DISPLAY");
            return;
        }
        for (int number = 73; number < 99; ++number) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
                QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) {
                continue;
            }
            const QByteArray candidate = ":" + QByteArray::number(number);
            server_.start("Xvfb",
                          {QString::fromLatin1(candidate), "-nolisten", "tcp", "-screen", "0", "640x480x24"});
            if (!server_.waitForStarted(3000)) {
                return;
            }
            QDeadlineTimer deadline(5000);
            while (!deadline.hasExpired() && server_.state() == QProcess::Running) {
                if (reachable(candidate)) {
                    name_ = candidate;
                    return;
                }
                QThread::msleep(20);
            }
            server_.kill();
            server_.waitForFinished();
        }
    }
    ~Display() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            server_.waitForFinished(3000);
        }
    }
    const std::optional<QByteArray>& name() const { return name_; }

private:
    static bool reachable(const QByteArray& display) {
        if (display.isEmpty()) {
            return false;
        }
        xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
        const bool ok = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return ok;
    }

    QProcess server_;
    std::optional<QByteArray> name_;
};

Display* display = nullptr;

void BM_DescriptionWithRealKeymap(benchmark::State& state) {
    if (!display->name()) {
        state.SkipWithError("no X server could be started; description not measured");
        return;
    }
    auto layout = std::make_shared<zendra::x11::KeyboardLayout>(*display->name());
    setEnvironment({Prefs::Suite::makeInMemory(), nullptr, layout, nullptr});
    if (optionCommandK.description() != QStringLiteral("⌥⌘K")) {
        state.SkipWithError("the keymap does not translate K");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(optionCommandK.description());
    }
}
BENCHMARK(BM_DescriptionWithRealKeymap);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Display server;
    display = &server;
    if (!server.name()) {
        std::fputs("hotkeys_bench: no X server could be started; the description benchmark is skipped\n",
                   stderr);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
